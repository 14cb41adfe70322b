#pragma once

#include <QWidget>

class QTableWidget;

namespace quorvan {

struct AppContext;
class CommandSink;
class ControllerShortcutDlg;
struct ScheduleTable;
struct TimingEntry;

// The page of the remote-key presets: twelve fixed rows, one per key of the remote control, with the preset
// editor docked below.
class PageSetShortcutDlg : public QWidget {
    Q_OBJECT
public:
    static constexpr int kListId = 9999;
    static constexpr int kColumnCount = 5;
    static constexpr int kBand = 25;

    PageSetShortcutDlg(AppContext& context, CommandSink& sink, QWidget* parent = nullptr);

    // Attaches the table (its count becomes 12) and fills the rows. Refused (0) for no table or a capacity
    // above 12.
    int ShowTable(ScheduleTable* table, int capacity);
    void ShowRow(int row, const TimingEntry* entry);
    void InitPage();
    void RefreshTexts();

    // Save (1080) stores the editor's preset under the key chosen in its key list; Delete (1081) clears the
    // selected row's preset.
    void onCommand(int id);
    void onSelection(int notifiedRow);

    QTableWidget* list() const { return m_list; }
    ControllerShortcutDlg& editor() const { return *m_editor; }
    ScheduleTable* table() const { return m_table; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QString keyName(int row) const;
    int selectedRow() const;
    void save();
    void remove();

    AppContext& m_context;
    CommandSink& m_sink;
    QTableWidget* m_list;
    ControllerShortcutDlg* m_editor;
    ScheduleTable* m_table = nullptr;
};

} // namespace quorvan
