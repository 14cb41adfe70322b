#pragma once

#include "core/history/BackupStore.h"
#include "core/history/DataStep.h"

#include <vector>

namespace quorvan {

// What a document's file is compared with.
struct CompareWith {
    enum class Kind { Document, Version, Folder };
    Kind kind = Kind::Document;
    int document = -1;     // Document: the other document's index
    BackupVersion version; // Version: one of the document's kept versions
    // Folder: the folder is asked for; the file of the same name in it (any letter case) is compared.
};

// What panes, pages and dialogs ask of the main window. Each call runs at once, before it returns.
class ShellActions {
public:
    virtual ~ShellActions() = default;

    virtual void openSettings() = 0;
    virtual void openCopyDialog() = 0;
    // Makes document index (in the model's document list) current and shows it in its page.
    virtual void selectDocument(int index) = 0;
    // Before a page changes the current table to write it: true when the document's file may be written. When
    // another program has written it since it was read, or it could not be read, the operator is asked first;
    // false when they choose to read it again (the page shows the file anew) or to cancel.
    virtual bool mayWriteDocument() = 0;
    // Writes the current table to the current document's file as one undoable step; a failure is shown to the
    // operator, the file is read again and shown as it is, and false is returned.
    virtual bool saveDocument(const StepLabel& label) = 0;
    // A change already written to the data files (a copy, an import) joins the undo history.
    virtual void addStep(DataStep step) = 0;
    // Reads the current document's file again and shows it in its page.
    virtual void reloadDocument() = 0;
    // Re-applies every text and display name after a language or name change.
    virtual void retranslateAll() = 0;
    virtual void showMusicPlayer() = 0;
    // Writes Config.ini and Config_name.ini; a failure is shown to the operator.
    virtual void saveSettings() = 0;
    // Before the shown entry is replaced (another document, an import, a copy, a reload): unsaved edits in the
    // editor are saved or discarded as the operator chooses. False when the operator keeps them.
    virtual bool leaveEdits() = 0;
    // The undo history: the newest step undone, the newest undone step made again; a failure is shown.
    virtual void undo() = 0;
    virtual void redo() = 0;
    // The kept versions of document index, to look at and restore.
    virtual void openRestoreDialog(int index) = 0;
    // Shows what turning document index's file into the other one would change, read-only.
    virtual void compareDocument(int index, const CompareWith& with) = 0;
    // Export entries...: document index's entries as CSV, to a file the operator chooses.
    virtual void exportEntries(int index) = 0;
    // Import entries...: document index shown, a CSV file's entries in place of its own or after them, as one
    // undoable step; a file with problems is refused with the whole list of them.
    virtual void importEntries(int index) = 0;
    // The operator's manual in the current language, in the desktop's browser.
    virtual void openManual() = 0;
    // Puts kept versions back as one undoable step and shows the document; false (after telling the operator)
    // when it could not.
    virtual bool restoreVersions(const std::vector<BackupVersion>& versions, const StepLabel& label) = 0;
};

} // namespace quorvan
