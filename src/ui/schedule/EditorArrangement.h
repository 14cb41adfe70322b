#pragma once

class QGridLayout;
class QLayout;
class QWidget;

namespace quorvan {

class ZonePowerPanel;

// How an entry editor places its three parts: the left column (times or key, and the edit buttons), the audio
// sources, and the zone and power groups. Side by side where the page is wide enough; on a narrower page (a
// 1024-pixel screen) the zone and power groups move into a low row of their own under the other two, side by side
// and sharing its width.
class EditorArrangement {
public:
    // Builds the editor's layout from its three parts.
    EditorArrangement(QWidget* editor, QLayout* left, QWidget* sources, ZonePowerPanel* targets);

    // Arranges the parts for a page of this width; true when the arrangement changed.
    bool fitWidth(int width);
    bool stacked() const { return m_stacked; }
    // The width the side-by-side arrangement needs.
    int sideBySideWidth() const;

private:
    void place(bool stacked);

    QWidget* m_editor;
    QGridLayout* m_grid;
    QLayout* m_left;
    QWidget* m_sources;
    ZonePowerPanel* m_targets;
    bool m_stacked = false;
};

} // namespace quorvan
