#include "ui/widgets/IconButton.h"

#include <QFont>
#include <QImage>
#include <QPalette>
#include <QPixmap>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <memory>

using quorvan::IconButton;

namespace {

// Distinct colours for every role, so that each pixel tells which role drew it.
const QColor kFace(0xc0, 0xc0, 0xc0);
const QColor kText(0x10, 0x10, 0x80);
const QColor kLight(0xff, 0xff, 0xff);
const QColor kMidlight(0xe0, 0xe0, 0xe0);
const QColor kDark(0x80, 0x80, 0x80);
const QColor kShadow(0x40, 0x40, 0x40);
const QColor kMid(0xa0, 0xa0, 0xa0);
const QColor kIcon(0xff, 0x00, 0xff);

QPalette testPalette() {
    QPalette pal;
    pal.setColor(QPalette::Button, kFace);
    pal.setColor(QPalette::ButtonText, kText);
    pal.setColor(QPalette::Light, kLight);
    pal.setColor(QPalette::Midlight, kMidlight);
    pal.setColor(QPalette::Dark, kDark);
    pal.setColor(QPalette::Shadow, kShadow);
    pal.setColor(QPalette::Mid, kMid);
    pal.setColor(QPalette::Window, kFace);
    return pal;
}

QIcon solidIcon(const QColor& colour, QSize size = QSize(16, 16)) {
    QPixmap pixmap(size);
    pixmap.fill(colour);
    return QIcon(pixmap);
}

// A 100 x 40 button with the test palette, a big bold font (its glyph stems cover whole pixels, so the
// caption's exact colours show up in the image) and the raised frame.
std::unique_ptr<IconButton> makeButton(const QString& caption, QWidget* parent = nullptr) {
    auto button = std::make_unique<IconButton>(caption, parent);
    button->setPalette(testPalette());
    QFont font = button->font();
    font.setPixelSize(18);
    font.setBold(true);
    button->setFont(font);
    button->setFlat(false);
    button->setGeometry(0, 0, 100, 40);
    return button;
}

QImage shot(QWidget& widget) {
    return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

using Match = std::function<bool(QRgb)>;

// The pixels of `region` that `match`: how many, their bounding box and their centre.
struct Scan {
    int count = 0;
    QRect bounds;
    QPointF centre{-1, -1};
};

Scan scan(const QImage& image, const QRect& region, const Match& match) {
    Scan result;
    QPointF sum;
    for (int y = region.top(); y <= region.bottom(); ++y)
        for (int x = region.left(); x <= region.right(); ++x)
            if (match(image.pixel(x, y))) {
                ++result.count;
                result.bounds |= QRect(x, y, 1, 1);
                sum += QPointF(x, y);
            }
    if (result.count > 0)
        result.centre = sum / result.count;
    return result;
}

Match is(const QColor& colour) {
    return [rgb = colour.rgb()](QRgb p) { return p == rgb; };
}

QRect boundsOf(const QImage& image, const QColor& colour) {
    return scan(image, image.rect(), is(colour)).bounds;
}

int countOf(const QImage& image, const QRect& region, const QColor& colour) {
    return scan(image, region, is(colour)).count;
}

// Where the caption's ink is, inside `region` (which must hold neither frame nor icon).
QRect inkBounds(const QImage& image, const QRect& region, const QColor& background) {
    return scan(image, region, [rgb = background.rgb()](QRgb p) { return p != rgb; }).bounds;
}

struct Pixel {
    int x;
    int y;
    QColor colour;
};

void expectPixels(const QImage& image, std::initializer_list<Pixel> pixels) {
    for (const Pixel& p : pixels)
        EXPECT_EQ(image.pixelColor(p.x, p.y), p.colour) << "at " << p.x << ',' << p.y;
}

// Clearly lighter or darker than the face: the highlight and the shadow side of embossed text.
bool lighterThanFace(QRgb p) {
    return qGray(p) > qGray(kFace.rgb()) + 8;
}
bool darkerThanFace(QRgb p) {
    return qGray(p) < qGray(kFace.rgb()) - 8;
}

// A shown, active top-level window holding buttons, for focus and mouse tests.
struct ActiveWindow {
    QWidget window;
    ActiveWindow() {
        window.setPalette(testPalette());
        window.resize(320, 60);
    }
    bool show() {
        window.show();
        window.activateWindow();
        return QTest::qWaitForWindowActive(&window);
    }
};

} // namespace

TEST(IconButtonPaint, PressedDrawsShadowFrameAndShiftsIconAndCaption) {
    auto button = makeButton(QStringLiteral("Go"));
    button->setButtonIcon(solidIcon(kIcon), QSize(16, 16));

    const QImage up = shot(*button);
    button->setDown(true);
    const QImage down = shot(*button);
    EXPECT_NE(up, down);

    // Raised: highlight and 3-D light on the top and left, dark shadow and shadow on the bottom and right.
    expectPixels(up, {{0, 0, kLight},
                      {50, 0, kLight},
                      {0, 20, kLight},
                      {1, 1, kMidlight},
                      {50, 1, kMidlight},
                      {99, 39, kShadow},
                      {50, 39, kShadow},
                      {99, 20, kShadow},
                      {0, 39, kShadow},
                      {98, 38, kDark},
                      {50, 38, kDark},
                      {2, 2, kFace}});

    // Pressed: one shadow line all round, face right inside it.
    expectPixels(down, {{0, 0, kDark}, {50, 0, kDark}, {99, 39, kDark}, {1, 1, kFace}, {98, 38, kFace}});

    // Icon and caption move one pixel right and down.
    EXPECT_EQ(boundsOf(up, kIcon), QRect(3, 12, 16, 16));
    EXPECT_EQ(boundsOf(down, kIcon), QRect(4, 13, 16, 16));
    const QRect captionRegion(21, 3, 75, 34);
    const QRect upInk = inkBounds(up, captionRegion, kFace);
    ASSERT_FALSE(upInk.isEmpty());
    EXPECT_EQ(inkBounds(down, captionRegion, kFace), upInk.translated(1, 1));
    EXPECT_GT(countOf(up, captionRegion, kText), 0);

    // The "in" pair colours the pressed button only.
    button->setInColours({QColor(Qt::blue), QColor(Qt::yellow)});
    const QImage downIn = shot(*button);
    EXPECT_EQ(downIn.pixelColor(1, 1), QColor(Qt::blue));
    EXPECT_GT(countOf(downIn, captionRegion, QColor(Qt::yellow)), 0);
    EXPECT_EQ(countOf(downIn, captionRegion, kText), 0);
    button->setDown(false);
    EXPECT_EQ(shot(*button), up);
}

TEST(IconButtonPaint, IconPlacementCaptionAreaAndFlatLook) {
    // Without a caption the icon sits in the middle.
    auto bare = makeButton(QString());
    bare->setButtonIcon(solidIcon(kIcon), QSize(16, 16));
    EXPECT_EQ(boundsOf(shot(*bare), kIcon), QRect(42, 12, 16, 16));
    bare->resize(61, 31);
    EXPECT_EQ(boundsOf(shot(*bare), kIcon), QRect(22, 7, 16, 16));

    // With a caption it sits at the image origin, and the caption is centred in the space right of it.
    auto captioned = makeButton(QStringLiteral("Go"));
    captioned->setButtonIcon(solidIcon(kIcon, QSize(24, 24)));
    EXPECT_EQ(captioned->buttonIconSize(), QSize(24, 24));
    const QImage image = shot(*captioned);
    EXPECT_EQ(boundsOf(image, kIcon), QRect(3, 8, 24, 24));
    const QRect ink = inkBounds(image, QRect(28, 3, 69, 34), kFace);
    ASSERT_FALSE(ink.isEmpty());
    const double areaCentre = (27 + 99) / 2.0; // from left + 3 + icon width to the right edge
    EXPECT_NEAR((ink.left() + ink.right()) / 2.0, areaCentre, 3.0);
    // The preferred size holds frame, icon and caption on one line.
    const QSize hint = captioned->sizeHint();
    EXPECT_GE(hint.width(), 2 * 3 + 3 + 24 + captioned->fontMetrics().horizontalAdvance(QStringLiteral("Go")));
    EXPECT_GE(hint.height(), 2 * 3 + 24);

    // A caption too wide for one line wraps onto a second one.
    captioned->setText(QStringLiteral("Copy Timing"));
    const QRect wrapped = inkBounds(shot(*captioned), QRect(28, 2, 69, 36), kFace);
    EXPECT_GT(wrapped.height(), captioned->fontMetrics().height());

    // A new button is flat: no frame at all, only the face.
    IconButton flat;
    flat.setPalette(testPalette());
    flat.resize(60, 30);
    EXPECT_TRUE(flat.isFlat());
    expectPixels(shot(flat), {{0, 0, kFace}, {1, 1, kFace}, {59, 29, kFace}});
}

TEST(IconButtonPaint, FocusedButtonHasBlackFrameAndDottedRectangle) {
    ActiveWindow w;
    auto focused = makeButton(QStringLiteral("A"), &w.window);
    focused->setButtonIcon(solidIcon(kIcon), QSize(16, 16));
    auto other = makeButton(QStringLiteral("B"), &w.window);
    other->move(150, 0);
    ASSERT_TRUE(w.show());
    focused->setFocus();
    ASSERT_TRUE(focused->hasFocus());

    const QImage image = shot(*focused);
    // A black line all round; the raised frame moves in by it, and the icon with it.
    const QColor black(Qt::black);
    expectPixels(image, {{0, 0, black}, {99, 39, black}, {50, 39, black}, {1, 1, kLight}, {98, 38, kShadow}});
    EXPECT_EQ(boundsOf(image, kIcon), QRect(4, 12, 16, 16));
    // Dotted rectangle four pixels inside the client area: every other pixel, none just inside it.
    const int topDots = countOf(image, QRect(4, 4, 92, 1), kText);
    EXPECT_GE(topDots, 44);
    EXPECT_LE(topDots, 48);
    EXPECT_NE(image.pixelColor(4, 4), image.pixelColor(5, 4));
    EXPECT_GE(countOf(image, QRect(4, 4, 1, 32), kText), 15);
    EXPECT_EQ(countOf(image, QRect(6, 5, 88, 1), kText), 0);

    // The "focus" pair colours the focused button.
    focused->setFocusColours({QColor(Qt::yellow), kText});
    EXPECT_EQ(shot(*focused).pixelColor(3, 3), QColor(Qt::yellow));

    // Without focus: no black line and no dots; the default button keeps the black line only.
    const QImage plain = shot(*other);
    expectPixels(plain, {{0, 0, kLight}});
    EXPECT_EQ(countOf(plain, QRect(4, 4, 92, 1), kText), 0);
    other->setDefault(true);
    const QImage byDefault = shot(*other);
    expectPixels(byDefault, {{0, 0, black}, {1, 1, kLight}});
    EXPECT_EQ(countOf(byDefault, QRect(4, 4, 92, 1), kText), 0);
}

TEST(IconButtonPaint, DisabledIconAndCaptionAreEmbossed) {
    auto button = makeButton(QStringLiteral("Go"));
    button->setButtonIcon(solidIcon(kIcon), QSize(16, 16));
    const QRect captionRegion(21, 3, 75, 34);

    const QImage enabled = shot(*button);
    EXPECT_FALSE(boundsOf(enabled, kIcon).isEmpty());
    EXPECT_GT(countOf(enabled, captionRegion, kText), 0);
    EXPECT_EQ(scan(enabled, captionRegion, lighterThanFace).count, 0);

    button->setEnabled(false);
    const QImage disabled = shot(*button);
    EXPECT_NE(enabled, disabled);
    // The icon is drawn greyed, still in its place.
    EXPECT_TRUE(boundsOf(disabled, kIcon).isEmpty());
    EXPECT_NE(disabled.pixelColor(10, 20), kFace);
    // Caption: highlight copy one pixel down-right, shadow copy on top of it, no caption colour. The
    // highlight shows as the lighter rim on the lower right of the strokes.
    EXPECT_EQ(countOf(disabled, captionRegion, kText), 0);
    EXPECT_GT(countOf(disabled, captionRegion, kDark), 0);
    EXPECT_GT(scan(disabled, captionRegion, lighterThanFace).count, 10);
    const QPointF light = scan(disabled, captionRegion, lighterThanFace).centre;
    const QPointF dark = scan(disabled, captionRegion, darkerThanFace).centre;
    EXPECT_GT(light.x(), dark.x() + 0.3);
    EXPECT_GT(light.y(), dark.y() + 0.3);
}

TEST(IconButtonIcon, ReplacingOrDestroyingReleasesTheIcon) {
    const QIcon first = solidIcon(kIcon);
    const QIcon second = solidIcon(QColor(Qt::green), QSize(24, 24));
    {
        auto button = makeButton(QString());
        button->setButtonIcon(first, QSize(16, 16));
        EXPECT_FALSE(first.isDetached());
        EXPECT_EQ(button->buttonIcon().cacheKey(), first.cacheKey());
        EXPECT_EQ(button->buttonIconSize(), QSize(16, 16));

        button->setButtonIcon(second, QSize(24, 24));
        EXPECT_TRUE(first.isDetached());
        EXPECT_FALSE(second.isDetached());
        EXPECT_EQ(button->buttonIconSize(), QSize(24, 24));
        QImage image = shot(*button);
        EXPECT_TRUE(boundsOf(image, kIcon).isEmpty());
        EXPECT_EQ(boundsOf(image, QColor(Qt::green)), QRect(38, 8, 24, 24));

        // A null icon clears it.
        button->setButtonIcon(QIcon());
        EXPECT_TRUE(second.isDetached());
        EXPECT_TRUE(button->buttonIcon().isNull());
        EXPECT_EQ(button->buttonIconSize(), QSize(0, 0));
        EXPECT_TRUE(boundsOf(shot(*button), QColor(Qt::green)).isEmpty());

        button->setButtonIcon(second, QSize(24, 24));
        EXPECT_FALSE(second.isDetached());
    }
    // The destroyed button let go of its icon.
    EXPECT_TRUE(second.isDetached());
}

TEST(IconButtonInput, ClickTakesFocusAndDoubleClickCountsAsClick) {
    ActiveWindow w;
    auto button = makeButton(QStringLiteral("Go"), &w.window);
    auto other = makeButton(QStringLiteral("Other"), &w.window);
    other->move(150, 0);
    ASSERT_TRUE(w.show());
    other->setFocus();
    ASSERT_FALSE(button->hasFocus());

    QSignalSpy clicks(button.get(), &QAbstractButton::clicked);
    QTest::mouseClick(button.get(), Qt::LeftButton);
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_TRUE(button->hasFocus());

    // A quick double click arrives as press, release, double click, release: two clicks.
    QTest::mousePress(button.get(), Qt::LeftButton);
    QTest::mouseRelease(button.get(), Qt::LeftButton);
    QTest::mouseDClick(button.get(), Qt::LeftButton);
    EXPECT_TRUE(button->isDown());
    QTest::mouseRelease(button.get(), Qt::LeftButton);
    EXPECT_EQ(clicks.count(), 3);
    EXPECT_FALSE(button->isDown());
}

TEST(IconButtonPalette, PaletteChangeReloadsColoursAndRepaints) {
    auto button = makeButton(QStringLiteral("Go"));
    button->setOutColours({QColor(Qt::green), QColor(Qt::green)});
    EXPECT_EQ(shot(*button).pixelColor(2, 2), QColor(Qt::green));

    const QColor red(0xd0, 0x20, 0x20);
    const QColor cyan(0x20, 0xd0, 0xd0);
    QPalette pal = testPalette();
    pal.setColor(QPalette::Button, red);
    pal.setColor(QPalette::Light, cyan);
    button->setPalette(pal);

    const IconButton::Colours expected{red, kText};
    EXPECT_EQ(button->outColours(), expected);
    EXPECT_EQ(button->inColours(), expected);
    EXPECT_EQ(button->focusColours(), expected);
    expectPixels(shot(*button), {{2, 2, red}, {0, 0, cyan}});

    // A child follows its parent's palette too.
    QWidget parent;
    parent.setPalette(testPalette());
    auto child = std::make_unique<IconButton>(&parent);
    child->setFlat(false);
    child->resize(60, 30);
    EXPECT_EQ(child->outColours().background, kFace);
    parent.setPalette(pal);
    EXPECT_EQ(child->outColours().background, red);
    EXPECT_EQ(shot(*child).pixelColor(2, 2), red);
}
