#pragma once

#include <QWidget>

class QTableWidget;

namespace quorvan {

struct AppContext;
class CommandSink;
struct ScheduleTable;
struct TimingEntry;

// The page of a normal schedule: one list row per timing entry.
class PageSetTimingDlg : public QWidget {
    Q_OBJECT
public:
    static constexpr int kListId = 9999;
    static constexpr int kColumnCount = 7;

    PageSetTimingDlg(AppContext& context, CommandSink& sink, QWidget* parent = nullptr);

    // Attaches a table and fills the list. Refused (0) for no table or a capacity of 0 or above 256.
    int ShowTable(ScheduleTable* table, int capacity);
    // Writes the cells of one row from one entry; no entry changes nothing.
    void ShowRow(int row, const TimingEntry* entry);
    void InitPage();
    void RefreshTexts();

    QTableWidget* list() const { return m_list; }
    ScheduleTable* table() const { return m_table; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    AppContext& m_context;
    CommandSink& m_sink;
    QTableWidget* m_list;
    ScheduleTable* m_table = nullptr;
};

} // namespace quorvan
