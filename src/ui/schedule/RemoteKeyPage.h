#pragma once

#include "core/schedule/EntryListLogic.h"
#include "ui/schedule/TableRows.h"

#include <QWidget>

class QScrollArea;
class QTableWidget;

namespace quorvan {

struct AppContext;
class RemoteKeyEditor;
class ScheduleDocument;
class EditorSplit;
class ShellActions;
struct TimingEntry;

// The page of the remote-key presets: twelve fixed rows, one per key of the remote control, with the preset
// editor docked below. The rows are kept by the same bookkeeping as the timing list's.
class RemoteKeyPage : public QWidget, private EntryListHost {
    Q_OBJECT
public:
    static constexpr int kColumnCount = 5;
    static constexpr int kBand = 25;

    RemoteKeyPage(AppContext& context, ShellActions& shell, QWidget* parent = nullptr);

    // Attaches the remote-key document and fills the twelve rows. Refused (0) for no document or a schedule.
    int showDocument(ScheduleDocument* document);
    void layoutPage();
    void retranslate();

    // Stores the editor's preset to the key chosen in it and writes the file (the editor's Save).
    void savePreset() { m_logic.saveEntry(); }
    // Empties the selected row's preset (the editor's Delete).
    void deletePreset() { m_logic.deleteEntry(); }
    // Before another row or document is shown or the program ends: unsaved edits in the editor are saved (as
    // its Save button would) or discarded as the operator chooses. False when the operator stays.
    bool leaveShownPreset() { return m_logic.leaveShownEntry(); }
    // Selects and shows the preset of key k (from 0).
    void showKey(int k) { m_logic.showEntry(k); }
    // The key whose preset the editor shows, -1 before a document is shown.
    int shownKey() const { return m_logic.document() ? m_logic.editorPlace().row : -1; }
    bool editorHasUnsavedChanges() const;

    QTableWidget* list() const { return m_list; }
    RemoteKeyEditor& editor() const { return *m_editor; }
    const ScheduleDocument* document() const { return m_logic.document(); }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    // EntryListHost
    void loadEntry(int row, const TimingEntry& entry) override;
    TimingEntry storeEntry() override;
    bool mayWrite() override;
    bool saveDocument(EntryChange change, int entry, int count, const QString& detail) override;
    void listFull() override {}
    bool hasUnsavedChanges() override;
    LeaveAnswer askToLeave() override;
    bool entryCanBeSaved() override { return true; }
    int storeTarget(int shownRow) override;

    // Runs write (a question or a write that may fail); when it showed the file again, the editor goes back to
    // its key with the operator's edit, unsaved.
    template <class Write> bool keepingEdit(Write&& write);

    AppContext& m_context;
    ShellActions& m_shell;
    QTableWidget* m_list;
    RemoteKeyEditor* m_editor;
    QScrollArea* m_editorDock;
    EditorSplit* m_split;
    TableRows m_rows;
    EntryListLogic m_logic;
    int m_documentsShown = 0; // counts showDocument calls: tells whether a write showed the file again
};

} // namespace quorvan
