#include "ui/schedule/WeekView.h"

#include "core/files/ScheduleTypes.h"
#include "core/schedule/ClashText.h"
#include "core/schedule/EntryFormat.h"
#include "core/schedule/EntryListLogic.h"
#include "core/texts/TextTable.h"
#include "ui/common/AppContext.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

#include <algorithm>

namespace quorvan {

namespace {

QColor colourOf(SourceKind kind) {
    switch (kind) {
    case SourceKind::LocalMp3:
        return QColor(0x4a, 0x86, 0xc8);
    case SourceKind::LocalFm:
        return QColor(0x4c, 0xa8, 0x5a);
    case SourceKind::Dvd:
        return QColor(0xe0, 0x92, 0x2a);
    case SourceKind::ExtMp3:
        return QColor(0x8e, 0x5b, 0xb5);
    case SourceKind::ExtRadio:
        return QColor(0x1f, 0xa0, 0x9a);
    case SourceKind::Voice:
        return QColor(0x8a, 0x8a, 0x8a);
    case SourceKind::None:
        break;
    }
    return QColor(0xb8, 0xb8, 0xb8);
}

const QColor kClashColour(0xd0, 0x24, 0x24);

// The day texts of the header, Monday ("Mon" / "星期一") first and Sunday last.
constexpr int kDayTexts[7] = {TextId::Monday,     TextId::Monday + 1, TextId::Monday + 2, TextId::Monday + 3,
                              TextId::Monday + 4, TextId::Monday + 5, TextId::Sunday};

} // namespace

WeekView::WeekView(AppContext& context, QWidget* parent) : QWidget(parent), m_context(context) {
    setObjectName(QStringLiteral("weekView"));
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QSize WeekView::sizeHint() const {
    return {kGutterWidth + 7 * 120, kHeaderHeight + 24 * kHourHeight};
}

QSize WeekView::minimumSizeHint() const {
    return {kGutterWidth + 7 * 60, kHeaderHeight + 24 * kHourHeight};
}

void WeekView::showSchedule(const ScheduleTable* table, int count, const std::vector<Clash>& clashes, int selected) {
    m_table = table;
    m_count = table ? count : 0;
    m_clashes = clashes;
    m_selected = selected < 0 ? QList<int>{} : QList<int>{selected};
    const double secondsPerPixel = 3600.0 / kHourHeight;
    m_blocks = m_table ? layOutWeek(*m_table, m_count, m_clashes, int(kMinimumBlockHeight * secondsPerPixel))
                       : std::vector<WeekBlock>{};
    update();
}

void WeekView::setSelected(const QList<int>& entries) {
    if (entries == m_selected)
        return;
    m_selected = entries;
    update();
}

QRectF WeekView::blockRect(const WeekBlock& block, const QRectF& area) const {
    const double dayWidth = (area.width() - kGutterWidth) / 7.0;
    const double hourHeight = (area.height() - kHeaderHeight) / 24.0;
    const double laneWidth = dayWidth / std::max(block.lanes, 1);
    const double top = area.top() + kHeaderHeight + block.begin / 3600.0 * hourHeight;
    const double height = std::max((block.end - block.begin) / 3600.0 * hourHeight, kMinimumBlockHeight);
    const double left = area.left() + kGutterWidth + block.column * dayWidth + block.lane * laneWidth;
    return QRectF(left + 1.5, top, laneWidth - 3.0, height);
}

QString WeekView::label(const WeekBlock& block) const {
    const TimingEntry& e = m_table->entries[block.entry];
    const QString firstSource = formatSources(e.sourceMask, m_context.texts).section(u',', 0, 0);
    if (block.continued)
        return QString::number(block.entry + 1) + QStringLiteral(" ↳ ") + firstSource;
    return QStringLiteral("%1 %2 %3")
        .arg(block.entry + 1)
        .arg(formatTime(e.startHour, e.startMinute, e.startSecond).left(5), firstSource);
}

void WeekView::paint(QPainter& painter, const QRectF& area, double headerTop, bool showSelection) const {
    const TextTable& texts = m_context.texts;
    const QPalette& pal = palette();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.fillRect(area, pal.color(QPalette::Base));
    const double dayWidth = (area.width() - kGutterWidth) / 7.0;
    const double hourHeight = (area.height() - kHeaderHeight) / 24.0;
    const QFontMetricsF metrics(painter.font());

    // Hours and their lines, half hours lighter.
    QPen hourPen(pal.color(QPalette::Mid), 0.8);
    QPen halfPen(pal.color(QPalette::Midlight), 0.5, Qt::DotLine);
    for (int h = 0; h <= 24; ++h) {
        const double y = area.top() + kHeaderHeight + h * hourHeight;
        painter.setPen(hourPen);
        painter.drawLine(QPointF(area.left() + kGutterWidth, y), QPointF(area.right(), y));
        if (h < 24) {
            painter.setPen(halfPen);
            painter.drawLine(QPointF(area.left() + kGutterWidth, y + hourHeight / 2),
                             QPointF(area.right(), y + hourHeight / 2));
            painter.setPen(pal.color(QPalette::Text));
            // Centred on its line, but 00:00 below it: above it the day names would cover half of it.
            const double labelTop = h == 0 ? y : y - metrics.height() / 2;
            painter.drawText(QRectF(area.left(), labelTop, kGutterWidth - 6, metrics.height()),
                             Qt::AlignRight | (h == 0 ? Qt::AlignTop : Qt::AlignVCenter),
                             QStringLiteral("%1:00").arg(h, 2, 10, QLatin1Char('0')));
        }
    }
    for (int d = 0; d <= 7; ++d) {
        const double x = area.left() + kGutterWidth + d * dayWidth;
        painter.setPen(hourPen);
        painter.drawLine(QPointF(x, area.top()), QPointF(x, area.bottom()));
    }

    // The blocks; the selected entry's and clashing ones outlined on top.
    for (const WeekBlock& block : m_blocks) {
        const QRectF r = blockRect(block, area);
        const TimingEntry& e = m_table->entries[block.entry];
        const QColor fill = colourOf(firstSource(e.sourceMask));
        painter.setPen(Qt::NoPen);
        painter.setBrush(fill);
        painter.drawRoundedRect(r, 2.5, 2.5);
        if (block.continued) {
            // The part after midnight starts with a dashed edge: it goes on from the day before.
            painter.setPen(QPen(pal.color(QPalette::Base), 1.2, Qt::DashLine));
            painter.drawLine(r.topLeft() + QPointF(1, 1), r.topRight() + QPointF(-1, 1));
        }
        const bool selected = showSelection && m_selected.contains(block.entry);
        if (block.clashes || selected) {
            painter.setBrush(Qt::NoBrush);
            painter.setPen(block.clashes ? QPen(kClashColour, 2.4) : QPen(pal.color(QPalette::Text), 2.0));
            painter.drawRoundedRect(r.adjusted(0.6, 0.6, -0.6, -0.6), 2.5, 2.5);
            if (block.clashes && selected) {
                painter.setPen(QPen(pal.color(QPalette::Text), 1.0, Qt::DashLine));
                painter.drawRoundedRect(r.adjusted(2.5, 2.5, -2.5, -2.5), 2.0, 2.0);
            }
        }
        painter.setPen(fill.lightnessF() < 0.62 ? Qt::white : Qt::black);
        const QRectF textArea = r.adjusted(3, 0, -3, 0);
        if (r.height() >= metrics.height()) {
            painter.drawText(textArea, Qt::AlignLeft | Qt::AlignTop,
                             metrics.elidedText(label(block), Qt::ElideRight, textArea.width()));
        } else {
            // Too low for the whole label (a bell): at least the entry's number, in a font that fits the block.
            QFont small = painter.font();
            small.setPixelSize(std::max(5, int(r.height())));
            painter.save();
            painter.setFont(small);
            painter.drawText(textArea, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextDontClip,
                             QString::number(block.entry + 1));
            painter.restore();
        }
    }

    // The day names last, over whatever lies beneath, so that they stay in view while the hours scroll.
    const double top = headerTop < 0 ? area.top() : headerTop;
    const QRectF header(area.left(), top, area.width(), kHeaderHeight);
    painter.fillRect(header, pal.color(QPalette::Window));
    painter.setPen(hourPen);
    painter.drawLine(header.bottomLeft(), header.bottomRight());
    for (int d = 0; d < 7; ++d) {
        const double x = area.left() + kGutterWidth + d * dayWidth;
        painter.setPen(pal.color(QPalette::WindowText));
        painter.drawText(QRectF(x, top, dayWidth, kHeaderHeight), Qt::AlignCenter, texts.text(kDayTexts[d]));
    }
    painter.restore();
}

void WeekView::paintEvent(QPaintEvent* event) {
    Q_UNUSED(event);
    QPainter painter(this);
    paint(painter, QRectF(rect()), visibleRegion().boundingRect().top());
}

int WeekView::entryAt(const QPoint& point) const {
    if (point.y() < visibleRegion().boundingRect().top() + kHeaderHeight)
        return -1; // the day names lie over the blocks there
    const QRectF area(rect());
    for (auto it = m_blocks.rbegin(); it != m_blocks.rend(); ++it)
        if (blockRect(*it, area).contains(point))
            return it->entry;
    return -1;
}

QString WeekView::toolTipFor(int entry, bool continued) const {
    if (!m_table || entry < 0 || entry >= m_count)
        return {};
    const TextTable& texts = m_context.texts;
    const TimingEntry& e = m_table->entries[entry];
    const QStringList cells = timingRowCells(entry, e, texts, m_context.names);
    QStringList lines;
    lines << texts.text(TextId::NumberColumn) + QStringLiteral(": ") + cells.value(0) + QStringLiteral("   ") +
                 cells.value(1);
    lines << cells.value(2) + QStringLiteral(" - ") + cells.value(3);
    if (continued)
        lines << texts.text(TextId::ContinuedFrom);
    const QString midnight = pastMidnightText(e, texts);
    if (!midnight.isEmpty())
        lines << midnight;
    lines << texts.text(TextId::SoundColumn) + QStringLiteral(": ") + cells.value(4);
    lines << texts.text(TextId::ZoneSelect) + QStringLiteral(": ") + cells.value(5);
    lines << texts.text(TextId::PowerColumn) + QStringLiteral(": ") + cells.value(6);
    lines << clashLines(m_clashes, entry, texts, m_context.names);
    return lines.join(u'\n');
}

void WeekView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    const int entry = entryAt(event->position().toPoint());
    if (entry >= 0)
        emit entryClicked(entry, event->modifiers().testFlag(Qt::ControlModifier));
}

bool WeekView::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const QRectF area(rect());
        const bool underHeader = help->pos().y() < visibleRegion().boundingRect().top() + kHeaderHeight;
        for (auto it = m_blocks.rbegin(); it != m_blocks.rend() && !underHeader; ++it) {
            if (blockRect(*it, area).contains(help->pos())) {
                QToolTip::showText(help->globalPos(), toolTipFor(it->entry, it->continued), this,
                                   blockRect(*it, area).toAlignedRect());
                return true;
            }
        }
        QToolTip::hideText();
        event->ignore();
        return true;
    }
    return QWidget::event(event);
}

} // namespace quorvan
