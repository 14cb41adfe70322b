#pragma once

#include "core/schedule/Clashes.h"
#include "core/schedule/WeekLayout.h"

#include <QWidget>

#include <vector>

namespace quorvan {

struct AppContext;
struct ScheduleTable;

// The week of one schedule: seven day columns, Monday first, by 24 hours; each entry a block over its time span,
// labelled with its number, start time and first source and coloured by that source. Blocks of entries that clash
// are outlined in red; a 5-second bell keeps a visible height and tells its row on hover. Painted as vectors, so
// it is sharp at any pixel ratio and prints the same.
class WeekView : public QWidget {
    Q_OBJECT
public:
    static constexpr int kHourHeight = 26; // pixels on screen
    static constexpr int kHeaderHeight = 26;
    static constexpr int kGutterWidth = 46;
    static constexpr double kMinimumBlockHeight = 7;

    explicit WeekView(AppContext& context, QWidget* parent = nullptr);

    // Shows entries 0..count-1 of table (which must outlive the next call); selected is outlined.
    void showSchedule(const ScheduleTable* table, int count, const std::vector<Clash>& clashes, int selected);
    void setSelected(int entry) { setSelected(entry < 0 ? QList<int>{} : QList<int>{entry}); }
    // Several entries selected together: each is outlined.
    void setSelected(const QList<int>& entries);

    // Paints the whole week into area (widget coordinates on screen, page coordinates on paper). The day names go
    // at headerTop (by default the top of area): on screen, the top of the part scrolled into view.
    // showSelection: outline the selected entry (on screen; a print shows none).
    void paint(QPainter& painter, const QRectF& area, double headerTop = -1, bool showSelection = true) const;
    // The entry whose block lies under point (widget coordinates), -1 when none; the topmost when several.
    int entryAt(const QPoint& point) const;
    // What hovering over an entry's block tells: the cells of its row, past midnight, its clashes.
    QString toolTipFor(int entry, bool continued) const;
    const std::vector<WeekBlock>& blocks() const { return m_blocks; }
    // Where a block lies in area (see paint).
    QRectF blockRect(const WeekBlock& block, const QRectF& area) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    // adding: the click held Ctrl, which adds the entry to the selection (or takes it out).
    void entryClicked(int entry, bool adding);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;

private:
    QString label(const WeekBlock& block) const;

    AppContext& m_context;
    const ScheduleTable* m_table = nullptr;
    int m_count = 0;
    std::vector<Clash> m_clashes;
    std::vector<WeekBlock> m_blocks;
    QList<int> m_selected;
};

} // namespace quorvan
