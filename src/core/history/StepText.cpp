#include "core/history/StepText.h"

#include "core/history/DataStep.h"
#include "core/schedule/ScheduleModel.h"
#include "core/texts/TextTable.h"

namespace quorvan {

QString stepText(const StepLabel& label, const TextTable& texts, const std::vector<DocumentInfo>& documents) {
    QString document = label.document;
    for (const DocumentInfo& d : documents)
        if (d.fileName.compare(label.document, Qt::CaseInsensitive) == 0)
            document = d.caption;
    const QString entry = QString::number(label.entry + 1);
    const QString key = texts.text(TextId::RemoteKey) + entry; // "Remote3"
    switch (label.kind) {
    case StepLabel::Kind::AddEntry:
        return texts.text(TextId::StepAddEntry).arg(entry, document);
    case StepLabel::Kind::ChangeEntry:
        return texts.text(TextId::StepChangeEntry).arg(entry, document);
    case StepLabel::Kind::DeleteEntry:
        return texts.text(TextId::StepDeleteEntry).arg(entry, document);
    case StepLabel::Kind::SavePreset:
        return texts.text(TextId::StepSavePreset).arg(key);
    case StepLabel::Kind::ClearPreset:
        return texts.text(TextId::StepClearPreset).arg(key);
    case StepLabel::Kind::Copy:
        return texts.text(TextId::StepCopy).arg(document);
    case StepLabel::Kind::Import:
        return texts.text(TextId::StepImport);
    case StepLabel::Kind::Restore:
        return texts.text(TextId::StepRestore).arg(document, label.detail);
    case StepLabel::Kind::DeleteEntries:
        return texts.text(TextId::StepDeleteEntries).arg(QString::number(label.count), document);
    case StepLabel::Kind::DuplicateEntries:
        return texts.text(TextId::StepDuplicateEntries).arg(QString::number(label.count), document);
    case StepLabel::Kind::ShiftEntries:
        return texts.text(TextId::StepShiftEntries).arg(QString::number(label.count), document, label.detail);
    case StepLabel::Kind::ChangeEntries:
        return texts.text(TextId::StepChangeEntries).arg(QString::number(label.count), document);
    case StepLabel::Kind::AddBells:
        return texts.text(TextId::StepAddBells).arg(QString::number(label.count), document);
    case StepLabel::Kind::ImportEntries:
        return texts.text(TextId::StepImportEntries).arg(QString::number(label.count), document);
    }
    return {};
}

} // namespace quorvan
