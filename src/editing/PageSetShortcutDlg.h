#pragma once

#include <QWidget>

class QTableWidget;

namespace quorvan {

struct AppContext;
class CommandSink;
struct ScheduleTable;
struct TimingEntry;

// The page of the remote-key presets: twelve fixed rows, one per key of the remote control.
class PageSetShortcutDlg : public QWidget {
    Q_OBJECT
public:
    static constexpr int kListId = 9999;
    static constexpr int kColumnCount = 5;

    PageSetShortcutDlg(AppContext& context, CommandSink& sink, QWidget* parent = nullptr);

    // Attaches the table (its count becomes 12) and fills the rows. Refused (0) for no table or a capacity
    // above 12.
    int ShowTable(ScheduleTable* table, int capacity);
    void ShowRow(int row, const TimingEntry* entry);
    void InitPage();
    void RefreshTexts();

    QTableWidget* list() const { return m_list; }
    ScheduleTable* table() const { return m_table; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QString keyName(int row) const;

    AppContext& m_context;
    CommandSink& m_sink;
    QTableWidget* m_list;
    ScheduleTable* m_table = nullptr;
};

} // namespace quorvan
