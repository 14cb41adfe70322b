#pragma once

#include "editing/TimingListLogic.h"

#include <QWidget>

#include <memory>

class QTableWidget;

namespace quorvan {

struct AppContext;
class CommandSink;
class ControllerSettingDlg;
struct ScheduleTable;
struct TimingEntry;

// The page of a normal schedule: one list row per timing entry, with the entry editor docked below.
class PageSetTimingDlg : public QWidget, private RowList, private TimingListHost {
    Q_OBJECT
public:
    static constexpr int kListId = 9999;
    static constexpr int kColumnCount = 7;
    static constexpr int kBand = 25; // pixels between the list and the editor

    PageSetTimingDlg(AppContext& context, CommandSink& sink, QWidget* parent = nullptr);
    ~PageSetTimingDlg() override;

    int ShowTable(ScheduleTable* table, int capacity);
    void ShowRow(int row, const TimingEntry* entry);
    void InitPage();
    void RefreshTexts();

    // New (1141), Save (1080) and Delete (1081) from the editor.
    void onCommand(int id);

    QTableWidget* list() const { return m_list; }
    ControllerSettingDlg& editor() const { return *m_editor; }
    ScheduleTable* table() const { return m_logic.table(); }
    bool newRowPending() const { return m_logic.newRowPending(); }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    // RowList
    int rowCount() const override;
    void insertRow(int row) override;
    void removeRow(int row) override;
    void removeAllRows() override;
    void setCells(int row, const QStringList& cells) override;
    void setNumberCell(int row, const QString& text) override;
    int selectedRow() const override;
    void selectRow(int row) override;
    // TimingListHost
    void LoadEntry(const TimingEntry& entry) override;
    TimingEntry StoreEntry() override;
    void saveDocument() override;
    void listFull() override;

    AppContext& m_context;
    CommandSink& m_sink;
    QTableWidget* m_list;
    ControllerSettingDlg* m_editor;
    TimingListLogic m_logic;
};

} // namespace quorvan
