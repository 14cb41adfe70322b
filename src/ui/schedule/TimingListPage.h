#pragma once

#include "core/schedule/EntryListLogic.h"

#include <QWidget>

#include <memory>

class QScrollArea;
class QTableWidget;

namespace quorvan {

struct AppContext;
class EntryEditor;
struct ScheduleTable;
class ShellActions;
struct TimingEntry;

// The page of a normal schedule: one list row per timing entry, with the entry editor docked below.
class TimingListPage : public QWidget, private RowList, private EntryListHost {
    Q_OBJECT
public:
    static constexpr int kListId = 9999;
    static constexpr int kColumnCount = 7;
    static constexpr int kBand = 25; // pixels between the list and the editor

    TimingListPage(AppContext& context, ShellActions& shell, QWidget* parent = nullptr);
    ~TimingListPage() override;

    int showTable(ScheduleTable* table, int capacity);
    void showRow(int row, const TimingEntry* entry);
    void layoutPage();
    void retranslate();
    // Before another document is shown or the program ends: unsaved edits are saved or discarded as the
    // operator chooses. False when the operator stays.
    bool leaveShownEntry() { return m_logic.leaveShownEntry(); }
    // Selects and shows entry index (see EntryListLogic::showEntry).
    void showEntry(int index) { m_logic.showEntry(index); }

    QTableWidget* list() const { return m_list; }
    EntryEditor& editor() const { return *m_editor; }
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
    // EntryListHost
    void loadEntry(const TimingEntry& entry) override;
    TimingEntry storeEntry() override;
    void saveDocument(EntryChange change, int entry) override;
    void listFull() override;
    bool hasUnsavedChanges() override;
    LeaveAnswer askToLeave() override;
    bool entryCanBeSaved() override;

    AppContext& m_context;
    ShellActions& m_shell;
    QTableWidget* m_list;
    EntryEditor* m_editor;
    QScrollArea* m_editorDock;
    EntryListLogic m_logic;
};

} // namespace quorvan
