#pragma once

#include "core/files/AtomicFile.h"
#include "core/history/DataStep.h"

#include <QObject>
#include <QUndoStack>

#include <functional>

namespace quorvan {

struct AppContext;

// The session's one undo history over the data files of all documents, on a QUndoStack. Each command holds a
// DataStep; undo and redo do the file work first (which may fail and then leaves the stack where it was) and
// only then move the stack. The stack's own undo()/redo() are not called from anywhere else.
class UndoHistory : public QObject {
    Q_OBJECT
public:
    static constexpr int kLimit = 200;

    UndoHistory(AppContext& context, QObject* parent = nullptr);

    // A step already written to the files.
    void push(DataStep step);

    bool canUndo() const { return m_stack.canUndo(); }
    bool canRedo() const { return m_stack.canRedo(); }
    // The steps the next undo and redo would take; nullptr when there is none.
    const DataStep* undoStep() const;
    const DataStep* redoStep() const;
    // Their names in the current language ("delete entry 3 of Schedule1"); empty when there is none.
    QString undoText() const;
    QString redoText() const;

    // Runs the file work of an undo or redo, given a text that says which; the default runs it at once. The
    // window runs it on a worker thread behind a dialog, so that a step over large files does not freeze it.
    using WorkRunner = std::function<void(const QString& text, const std::function<void()>& work)>;
    void setWorkRunner(WorkRunner runner) { m_runWork = std::move(runner); }

    SaveResult undo();
    SaveResult redo();

    int count() const { return m_stack.count(); }
    qint64 storedBytes() const;
    QUndoStack& stack() { return m_stack; }

signals:
    // The steps that undo and redo would take changed.
    void changed();

private:
    // The step's name without the files it changed, for the dialog of a long undo or redo.
    QString stepName(const DataStep& step) const;

    AppContext& m_context;
    QUndoStack m_stack;
    WorkRunner m_runWork = [](const QString&, const std::function<void()>& work) { work(); };
};

} // namespace quorvan
