#include "ui/history/UndoHistory.h"

#include "core/files/ScheduleFile.h"
#include "core/history/BackupStore.h"
#include "core/history/StepText.h"
#include "core/schedule/ScheduleModel.h"
#include "core/texts/TextTable.h"
#include "ui/common/AppContext.h"

#include <QUndoCommand>

namespace quorvan {

namespace {

// A step in the stack. Its files were written when it was recorded, and undo and redo write them through
// UndoHistory before the stack moves, so the command's own undo() and redo() have nothing left to do.
class StepCommand : public QUndoCommand {
public:
    explicit StepCommand(DataStep step) : m_step(std::move(step)) {}
    void undo() override {}
    void redo() override {}
    const DataStep& step() const { return m_step; }

private:
    DataStep m_step;
};

const DataStep* stepAt(const QUndoStack& stack, int index) {
    if (index < 0 || index >= stack.count())
        return nullptr;
    return &static_cast<const StepCommand*>(stack.command(index))->step();
}

} // namespace

UndoHistory::UndoHistory(AppContext& context, QObject* parent) : QObject(parent), m_context(context) {
    m_stack.setUndoLimit(kLimit);
    connect(&m_stack, &QUndoStack::indexChanged, this, &UndoHistory::changed);
}

void UndoHistory::push(DataStep step) {
    if (step.isEmpty())
        return;
    m_stack.push(new StepCommand(std::move(step)));
}

const DataStep* UndoHistory::undoStep() const {
    return stepAt(m_stack, m_stack.index() - 1);
}

const DataStep* UndoHistory::redoStep() const {
    return stepAt(m_stack, m_stack.index());
}

namespace {

// A step's name; one that changed several files (an import, a group restore) names each of them.
QString describe(const DataStep* step, const AppContext& context) {
    if (!step)
        return {};
    QString text = stepText(step->label, context.texts, context.model.documents);
    if (step->changes.size() > 1) {
        QStringList names;
        for (const FileChange& change : step->changes)
            names << change.name;
        text += QStringLiteral(" (") + names.join(QStringLiteral(", ")) + u')';
    }
    return text;
}

} // namespace

QString UndoHistory::undoText() const {
    return describe(undoStep(), m_context);
}

QString UndoHistory::redoText() const {
    return describe(redoStep(), m_context);
}

QString UndoHistory::stepName(const DataStep& step) const {
    return stepText(step.label, m_context.texts, m_context.model.documents);
}

SaveResult UndoHistory::undo() {
    const DataStep* step = undoStep();
    if (!step)
        return {};
    m_context.backups.setLimits(BackupStore::limitsFrom(m_context.settings));
    const QString folder = dataFolderPath(m_context.model.programFolder());
    SaveResult result;
    m_runWork(m_context.texts.text(TextId::Undoing).arg(stepName(*step)),
              [&] { result = step->undo(folder, &m_context.backups); });
    if (result)
        m_stack.undo();
    return result;
}

SaveResult UndoHistory::redo() {
    const DataStep* step = redoStep();
    if (!step)
        return {};
    m_context.backups.setLimits(BackupStore::limitsFrom(m_context.settings));
    const QString folder = dataFolderPath(m_context.model.programFolder());
    SaveResult result;
    m_runWork(m_context.texts.text(TextId::Redoing).arg(stepName(*step)),
              [&] { result = step->redo(folder, &m_context.backups); });
    if (result)
        m_stack.redo();
    return result;
}

qint64 UndoHistory::storedBytes() const {
    qint64 total = 0;
    for (int i = 0; i < m_stack.count(); ++i)
        total += stepAt(m_stack, i)->storedBytes();
    return total;
}

} // namespace quorvan
