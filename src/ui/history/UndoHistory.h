#pragma once

#include "core/files/AtomicFile.h"
#include "core/history/DataStep.h"

#include <QObject>

#include <deque>
#include <functional>

namespace quorvan {

struct AppContext;

// The session's one undo history over the data files of all documents: the steps written, oldest first, and how
// many of them are done. Undo and redo do the file work first and move only when it succeeded; nothing else moves
// the history, so it always says what the files hold.
class UndoHistory : public QObject {
    Q_OBJECT
public:
    static constexpr int kLimit = 200;

    UndoHistory(AppContext& context, QObject* parent = nullptr);

    // A step already written to the files.
    void push(DataStep step);

    bool canUndo() const { return m_done > 0; }
    bool canRedo() const { return m_done < int(m_steps.size()); }
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

    int count() const { return int(m_steps.size()); }
    qint64 storedBytes() const;

signals:
    // The steps that undo and redo would take changed.
    void changed();

private:
    // The step's name without the files it changed, for the dialog of a long undo or redo.
    QString stepName(const DataStep& step) const;

    AppContext& m_context;
    std::deque<DataStep> m_steps; // at most kLimit, the oldest dropped first
    int m_done = 0;               // steps [0, m_done) are done, the rest undone and waiting for a redo
    WorkRunner m_runWork = [](const QString&, const std::function<void()>& work) { work(); };
};

} // namespace quorvan
