#include "ui/history/UndoHistory.h"

#include "core/files/ScheduleFile.h"
#include "core/history/BackupStore.h"
#include "core/history/StepText.h"
#include "core/schedule/ScheduleModel.h"
#include "core/texts/TextTable.h"
#include "ui/common/AppContext.h"

namespace quorvan {

UndoHistory::UndoHistory(AppContext& context, QObject* parent) : QObject(parent), m_context(context) {}

void UndoHistory::push(DataStep step) {
    if (step.isEmpty())
        return;
    m_steps.erase(m_steps.begin() + m_done, m_steps.end()); // a new step ends what could be redone
    m_steps.push_back(std::move(step));
    if (int(m_steps.size()) > kLimit)
        m_steps.pop_front();
    m_done = int(m_steps.size());
    emit changed();
}

const DataStep* UndoHistory::undoStep() const {
    return canUndo() ? &m_steps[std::size_t(m_done - 1)] : nullptr;
}

const DataStep* UndoHistory::redoStep() const {
    return canRedo() ? &m_steps[std::size_t(m_done)] : nullptr;
}

namespace {

// A step's name; one that changed several files (an import, a group restore) names each of them.
QString describe(const DataStep* step, const AppContext& context) {
    if (!step)
        return {};
    QString text = stepText(step->label, context.texts, context.model.documents());
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
    return stepText(step.label, m_context.texts, m_context.model.documents());
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
    if (result) {
        --m_done;
        emit changed();
    }
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
    if (result) {
        ++m_done;
        emit changed();
    }
    return result;
}

qint64 UndoHistory::storedBytes() const {
    qint64 total = 0;
    for (const DataStep& step : m_steps)
        total += step.storedBytes();
    return total;
}

} // namespace quorvan
