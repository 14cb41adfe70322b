#include "ui/widgets/IconButton.h"

#include <QEvent>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>

namespace quorvan {

namespace {

// Width of the black outer line (focus or default) plus the two-pixel raised frame.
constexpr int kFrameWidth = 3;

// One-pixel rectangle outline: top and left in `topLeft`, bottom and right in `bottomRight`. The
// bottom/right lines are drawn last so that they own the two far corners, as a raised edge should.
void drawEdge(QPainter& painter, const QRect& r, const QColor& topLeft, const QColor& bottomRight) {
    painter.fillRect(QRect(r.left(), r.top(), r.width(), 1), topLeft);
    painter.fillRect(QRect(r.left(), r.top(), 1, r.height()), topLeft);
    painter.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), bottomRight);
    painter.fillRect(QRect(r.right(), r.top(), 1, r.height()), bottomRight);
}

// Dotted rectangle: every other pixel of the outline, on a fixed checkerboard so that the dots stay
// put when the rectangle is redrawn.
void drawDottedRect(QPainter& painter, const QRect& r, const QColor& colour) {
    if (r.width() <= 0 || r.height() <= 0)
        return;
    QPolygon dots;
    auto add = [&dots](int x, int y) {
        if (((x + y) & 1) == 0)
            dots << QPoint(x, y);
    };
    for (int x = r.left(); x <= r.right(); ++x) {
        add(x, r.top());
        if (r.bottom() != r.top())
            add(x, r.bottom());
    }
    for (int y = r.top() + 1; y < r.bottom(); ++y) {
        add(r.left(), y);
        if (r.right() != r.left())
            add(r.right(), y);
    }
    painter.setPen(QPen(colour, 0));
    painter.drawPoints(dots);
}

constexpr int kTextFlags = Qt::AlignCenter | Qt::TextWordWrap | Qt::TextShowMnemonic;

} // namespace

IconButton::IconButton(QWidget* parent) : IconButton(QString(), parent) {}

IconButton::IconButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent) {
    setFlat(true);
    loadColoursFromPalette();
}

IconButton::~IconButton() = default;

void IconButton::setButtonIcon(const QIcon& icon, QSize size) {
    // Assigning drops this button's reference to the previous icon's data.
    m_icon = icon;
    m_iconSize = icon.isNull() ? QSize(0, 0) : size;
    updateGeometry();
    update();
}

void IconButton::setButtonIcon(const QIcon& icon) {
    const QList<QSize> sizes = icon.availableSizes();
    setButtonIcon(icon, sizes.isEmpty() ? QSize(0, 0) : sizes.first());
}

void IconButton::setInColours(const Colours& colours) {
    m_in = colours;
    update();
}

void IconButton::setFocusColours(const Colours& colours) {
    m_focus = colours;
    update();
}

void IconButton::setOutColours(const Colours& colours) {
    m_out = colours;
    update();
}

void IconButton::setImageOrigin(QPoint origin) {
    m_imageOrigin = origin;
    updateGeometry();
    update();
}

void IconButton::setPressedOffset(QPoint offset) {
    m_pressedOffset = offset;
    update();
}

void IconButton::loadColoursFromPalette() {
    const QPalette& pal = palette();
    const Colours face{pal.color(QPalette::Button), pal.color(QPalette::ButtonText)};
    m_in = face;
    m_focus = face;
    m_out = face;
}

QSize IconButton::sizeHint() const {
    const QFontMetrics fm = fontMetrics();
    const QSize textSize = text().isEmpty() ? QSize(0, 0) : fm.size(Qt::TextShowMnemonic, text());
    const int iconWidth = m_icon.isNull() ? 0 : m_iconSize.width();
    const int iconHeight = m_icon.isNull() ? 0 : m_iconSize.height();
    // Icon with its gap on both sides; the caption gets an average character of air at each end.
    int width = iconWidth + 2 * m_imageOrigin.x();
    if (!text().isEmpty())
        width += textSize.width() + 2 * fm.averageCharWidth();
    const int height = qMax(iconHeight + 2 * m_imageOrigin.y(), textSize.height() + 4);
    return QSize(width + 2 * kFrameWidth, height + 2 * kFrameWidth).expandedTo(QSize(16, 16));
}

QSize IconButton::minimumSizeHint() const {
    return sizeHint();
}

void IconButton::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    const QPalette& pal = palette();
    const bool pressed = isDown();
    const bool focused = hasFocus();
    const bool disabled = !isEnabled();
    const QString caption = text();

    // Background: the black line marks the button that Enter would press.
    QRect r = rect();
    if (focused || isDefault()) {
        drawEdge(painter, r, Qt::black, Qt::black);
        r.adjust(1, 1, -1, -1);
    }
    const Colours& colours = pressed ? m_in : (focused ? m_focus : m_out);
    painter.fillRect(r, colours.background);

    // Frame: sunken by one pixel while pressed, otherwise raised by two.
    if (!isFlat()) {
        if (pressed) {
            drawEdge(painter, r, pal.color(QPalette::Dark), pal.color(QPalette::Dark));
        } else {
            drawEdge(painter, r, pal.color(QPalette::Light), pal.color(QPalette::Shadow));
            drawEdge(painter, r.adjusted(1, 1, -1, -1), pal.color(QPalette::Midlight), pal.color(QPalette::Dark));
        }
    }

    const QPoint shift = pressed ? m_pressedOffset : QPoint(0, 0);

    // Icon: beside the caption at the image origin, or centred when there is no caption.
    QRect captionArea = r;
    if (!m_icon.isNull() && !m_iconSize.isEmpty()) {
        const int x =
            caption.isEmpty() ? r.left() + (r.width() - m_iconSize.width()) / 2 : r.left() + m_imageOrigin.x();
        const int y = r.top() + (r.height() - m_iconSize.height()) / 2;
        const QPixmap pixmap =
            m_icon.pixmap(m_iconSize, devicePixelRatioF(), disabled ? QIcon::Disabled : QIcon::Normal);
        painter.drawPixmap(QRect(QPoint(x, y) + shift, m_iconSize), pixmap);
        captionArea.setLeft(r.left() + m_imageOrigin.x() + m_iconSize.width());
    }

    // Caption: centred and wrapped in the area right of the icon; embossed when disabled.
    if (!caption.isEmpty()) {
        captionArea.translate(shift);
        painter.setFont(font());
        if (disabled) {
            painter.setPen(pal.color(QPalette::Light));
            painter.drawText(captionArea.translated(1, 1), kTextFlags, caption);
            painter.setPen(pal.color(QPalette::Dark));
            painter.drawText(captionArea, kTextFlags, caption);
        } else {
            painter.setPen(colours.text);
            painter.drawText(captionArea, kTextFlags, caption);
        }
    }

    if (focused)
        drawDottedRect(painter, r.adjusted(3, 3, -3, -3), colours.text);
}

void IconButton::changeEvent(QEvent* event) {
    if (event->type() == QEvent::PaletteChange) {
        loadColoursFromPalette();
        update();
    }
    QPushButton::changeEvent(event);
}

void IconButton::mouseDoubleClickEvent(QMouseEvent* event) {
    // The second press of a quick double click is an ordinary press, so two quick clicks are two clicks.
    mousePressEvent(event);
}

} // namespace quorvan
