#pragma once

#include <QColor>
#include <QIcon>
#include <QPoint>
#include <QPushButton>
#include <QSize>

namespace quorvan {

// Push button that draws itself in the classic three-dimensional look: an icon beside a centred,
// word-wrapped caption inside a raised two-pixel frame. To its owner it is an ordinary QPushButton:
// clicks arrive through clicked(); only the painting is its own.
//
// Colour roles of the widget's palette used for drawing:
//   Button / ButtonText   face and caption (the three colour pairs start from these)
//   Light                 outer highlight line, top and left; embossed caption of a disabled button
//   Midlight              inner light line, top and left
//   Shadow                outer dark-shadow line, bottom and right
//   Dark                  inner shadow line, bottom and right; frame of the pressed button;
//                         embossed caption of a disabled button
class IconButton : public QPushButton {
    Q_OBJECT
public:
    // Background and caption colour for one state of the button.
    struct Colours {
        QColor background;
        QColor text;
        bool operator==(const Colours&) const = default;
    };

    explicit IconButton(QWidget* parent = nullptr);
    explicit IconButton(const QString& caption, QWidget* parent = nullptr);
    ~IconButton() override;

    // Replaces the icon. The button keeps its own reference to the icon and drops the reference to the
    // previous one; a null icon removes it. The icon is drawn at `size`.
    void setButtonIcon(const QIcon& icon, QSize size);
    // As above, at the icon's own size (the first size the icon was given).
    void setButtonIcon(const QIcon& icon);
    QIcon buttonIcon() const { return m_icon; }
    QSize buttonIconSize() const { return m_iconSize; }

    // "In" while pressed, "focus" while it has the keyboard focus, "out" otherwise.
    Colours inColours() const { return m_in; }
    Colours focusColours() const { return m_focus; }
    Colours outColours() const { return m_out; }
    void setInColours(const Colours& colours);
    void setFocusColours(const Colours& colours);
    void setOutColours(const Colours& colours);

    // Gap between the left edge and the icon when the button has a caption.
    QPoint imageOrigin() const { return m_imageOrigin; }
    void setImageOrigin(QPoint origin);
    // How far icon and caption move while the button is pressed.
    QPoint pressedOffset() const { return m_pressedOffset; }
    void setPressedOffset(QPoint offset);

    // The flat look (QPushButton::isFlat, on by default here) draws no three-dimensional frame.

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void loadColoursFromPalette();

    QIcon m_icon;
    QSize m_iconSize{0, 0};
    Colours m_in;
    Colours m_focus;
    Colours m_out;
    QPoint m_imageOrigin{3, 3};
    QPoint m_pressedOffset{1, 1};
};

} // namespace quorvan
