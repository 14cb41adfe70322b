#pragma once

#include "core/schedule/Clashes.h"
#include "core/schedule/EntryListLogic.h"
#include "ui/schedule/TableRows.h"

#include <QWidget>

#include <memory>

class QAction;
class QLabel;
class QMenu;
class QPushButton;
class QScrollArea;
class QStackedWidget;
class QTableWidget;
class QToolButton;

namespace quorvan {

struct BulkChange;

struct AppContext;
class EntryEditor;
class ScheduleDocument;
class EditorSplit;
class ShellActions;
class WeekView;
struct TimingEntry;

// The page of a normal schedule: one list row per timing entry, or the week view of the entries (a List / Week
// switch above them), with the entry editor docked below. Entries that clash carry a warning mark and a line under
// the list counts the clashes; both follow every change at once.
class TimingListPage : public QWidget, private EntryListHost {
    Q_OBJECT
public:
    static constexpr int kColumnCount = 7;
    static constexpr int kBand = 25; // pixels between the list and the editor

    TimingListPage(AppContext& context, ShellActions& shell, QWidget* parent = nullptr);
    ~TimingListPage() override;

    int showDocument(ScheduleDocument* document);
    // Moves the selected entries (or the one shown) by seconds as one step; a refusal is told, naming the
    // entries. Shift times… asks for the offset first.
    void shiftSelection(int seconds);
    // Bell pattern…: the dialog, then its entries appended as one step; addBells appends entries made by it.
    void openBellPattern();
    bool addBells(const std::vector<TimingEntry>& entries);
    // Copy to…: the selected entries (or the one shown) appended to the end of another schedule's file, one step.
    void askCopyTo();
    // Change…: the dialog, then its change to the selected entries (or the one shown) as one step.
    void askChange();
    void changeSelection(const BulkChange& change);
    bool copySelectionTo(int documentIndex);
    void showRow(int row, const TimingEntry* entry);
    void layoutPage();
    void retranslate();
    // Before another document is shown or the program ends: unsaved edits are saved or discarded as the
    // operator chooses. False when the operator stays.
    bool leaveShownEntry() { return m_logic.leaveShownEntry(); }
    // Selects and shows entry index (see EntryListLogic::showEntry).
    void showEntry(int index) { m_logic.showEntry(index); }
    // Where the editor stands, and back there after the table was shown again (see EntryListLogic).
    EntryListLogic::EditorPlace editorPlace() const { return m_logic.editorPlace(); }
    void returnTo(const EntryListLogic::EditorPlace& place) { m_logic.returnTo(place); }
    bool editorHasUnsavedChanges() { return hasUnsavedChanges(); }

    // The week view instead of the list, or back.
    void showWeek(bool week);
    bool weekShown() const;
    // Prints the week view through the printer the operator chooses; false when cancelled.
    bool printWeek();
    // The report of the schedule shown, to print or save (see ReportDialog).
    void openReport();

    QTableWidget* list() const { return m_list; }
    WeekView& weekView() const { return *m_week; }
    QToolButton* listButton() const { return m_listButton; }
    QToolButton* weekButton() const { return m_weekButton; }
    QPushButton* printButton() const { return m_printButton; }
    QPushButton* reportButton() const { return m_reportButton; }
    QLabel* clashLine() const { return m_clashLine; }
    // The rows' context menu as it would open now (deleted when closed); its actions are New, Duplicate, Delete.
    QMenu* rowMenu();
    QAction* duplicateAction() const { return m_duplicateAction; }
    QAction* deleteAction() const { return m_deleteAction; }
    const std::vector<Clash>& clashes() const { return m_clashes; }
    EntryEditor& editor() const { return *m_editor; }
    const ScheduleDocument* document() const { return m_logic.document(); }
    bool newRowPending() const { return m_logic.newRowPending(); }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    // EntryListHost
    void loadEntry(int row, const TimingEntry& entry) override;
    TimingEntry storeEntry() override;
    bool mayWrite() override;
    bool saveDocument(EntryChange change, int entry, int count, const QString& detail) override;
    void showSelectionCount(int count) override;
    bool confirmDelete(int count) override;
    void listFull() override;
    void askShift();
    QList<int> chosenEntries() const; // the entries the menu's actions act on
    bool hasUnsavedChanges() override;
    LeaveAnswer askToLeave() override;
    bool entryCanBeSaved() override;

    // Finds the clashes again and shows them: marks, the line under the list, the week view. A save of entry
    // `saved` that brought new clashes names the first of them in the line.
    void showClashes(int saved = -1);
    // Runs write (a question or a write that may fail); when it showed the table again from the file, the editor
    // returns to its row with the operator's edit still in it and unsaved.
    template <class Write> bool keepingEdit(Write&& write);
    void buildRowActions();

    AppContext& m_context;
    ShellActions& m_shell;
    QWidget* m_listArea;
    QToolButton* m_listButton;
    QToolButton* m_weekButton;
    QPushButton* m_printButton;
    QPushButton* m_reportButton;
    QPushButton* m_bellButton;
    QStackedWidget* m_views;
    QTableWidget* m_list;
    QScrollArea* m_weekScroll;
    WeekView* m_week;
    QLabel* m_clashLine;
    QAction* m_newAction = nullptr;
    QAction* m_duplicateAction = nullptr;
    QAction* m_deleteAction = nullptr;
    QAction* m_shiftAction = nullptr;
    QAction* m_copyToAction = nullptr;
    QAction* m_changeAction = nullptr;
    QLabel* m_selectionLine = nullptr; // over the editor while several entries are selected
    std::vector<Clash> m_clashes;
    EntryEditor* m_editor;
    QScrollArea* m_editorDock;
    EditorSplit* m_split;
    TableRows m_rows;
    EntryListLogic m_logic;
    int m_tablesShown = 0; // counts showTable calls: tells whether a write showed the file again
};

} // namespace quorvan
