#pragma once

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
// editor docked below.
class RemoteKeyPage : public QWidget {
    Q_OBJECT
public:
    static constexpr int kColumnCount = 5;
    static constexpr int kBand = 25;

    RemoteKeyPage(AppContext& context, ShellActions& shell, QWidget* parent = nullptr);

    // Attaches the remote-key document and fills the twelve rows. Refused (0) for no document or a schedule.
    int showDocument(ScheduleDocument* document);
    void showRow(int row, const TimingEntry* entry);
    void layoutPage();
    void retranslate();

    // Stores the editor's preset under the key chosen in its key list (the editor's Save).
    // Stores the editor's preset to the key chosen in it and writes the file; false when not written.
    bool savePreset();
    // Clears the selected row's preset (the editor's Delete).
    void deletePreset();
    // Before another row or document is shown or the program ends: unsaved edits in the editor are saved (as
    // its Save button would) or discarded as the operator chooses. False when the operator stays.
    bool leaveShownPreset();
    // Selects and shows the preset of key k (from 0).
    void showKey(int k);
    // The key whose preset the editor shows, -1 before a table is shown.
    int shownKey() const { return m_document ? m_shownRow : -1; }
    bool editorHasUnsavedChanges() const;
    void followSelection(int notifiedRow);

    QTableWidget* list() const { return m_list; }
    RemoteKeyEditor& editor() const { return *m_editor; }
    const ScheduleDocument* document() const { return m_document; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QString keyName(int row) const;
    int selectedRow() const;

    AppContext& m_context;
    ShellActions& m_shell;
    QTableWidget* m_list;
    RemoteKeyEditor* m_editor;
    QScrollArea* m_editorDock;
    EditorSplit* m_split;
    ScheduleDocument* m_document = nullptr;
    // Runs write (a question or a write that may fail); when it showed the file again, the editor goes back to
    // its key with the operator's edit, unsaved.
    template <class Write> bool keepingEdit(Write&& write);

    int m_shownRow = -1;   // the key whose preset the editor shows
    int m_documentsShown = 0; // counts showTable calls
    bool m_asking = false; // while the question is open, selection changes are not the operator's moves
};

} // namespace quorvan
