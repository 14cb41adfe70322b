#include "core/storage/TransferPreview.h"

#include "core/storage/CardTransfer.h"
#include "core/texts/TextId.h"
#include "core/texts/TextTable.h"

namespace quorvan {

namespace {

using Outcome = PreviewLine::Outcome;

// An empty path (no file of that name in the folder) reads as a missing file.
FileRead readNamed(const QString& path) {
    return readRegularFile(path, kMaxScheduleFileBytes);
}

void previewDocumentFile(PreviewLine& line, const DocumentInfo& document) {
    const ComparedFile source = readComparedFile(line.sourcePath, document.kind);
    switch (source.state) {
    case ComparedFile::State::Missing:
        line.outcome = line.targetExists ? Outcome::KeptNotInSource : Outcome::CreatedEmpty;
        return;
    case ComparedFile::State::Unreadable:
        line.outcome = Outcome::SourceUnreadable;
        line.why = source.why;
        return;
    case ComparedFile::State::Damaged:
        line.outcome = Outcome::SourceDamaged;
        line.damage = source.damage;
        break;
    case ComparedFile::State::Read:
        line.outcome = Outcome::Compared;
        break;
    }
    const ComparedFile target = readComparedFile(line.targetPath, document.kind);
    line.comparison = compareSchedules(target.table.entries, source.table.entries, alignmentFor(document.kind));
    if (line.outcome == Outcome::Compared && !line.targetExists && line.comparison.same())
        line.outcome = Outcome::New; // an empty schedule where there was none
}

void previewOtherFile(PreviewLine& line) {
    const FileRead source = readNamed(line.sourcePath);
    if (source.status.failure == ReadFailure::Missing) {
        line.outcome = line.targetExists ? Outcome::KeptNotInSource : Outcome::CreatedEmpty;
    } else if (!source.ok()) {
        line.outcome = Outcome::SourceUnreadable;
        line.why = source.status.problem;
    } else if (!line.targetExists) {
        line.outcome = Outcome::New;
    } else {
        const FileRead target = readNamed(line.targetPath);
        line.outcome = target.ok() && target.bytes == source.bytes ? Outcome::Same : Outcome::Replaced;
    }
}

} // namespace

bool PreviewLine::changesTarget() const {
    switch (outcome) {
    case Outcome::Compared:
        return !comparison.same();
    case Outcome::Replaced:
    case Outcome::New:
    case Outcome::CreatedEmpty:
    case Outcome::SourceDamaged:
        return true;
    case Outcome::Same:
    case Outcome::KeptNotInSource:
    case Outcome::SourceUnreadable:
        break;
    }
    return false;
}

QString PreviewLine::text(const TextTable& texts, TransferDirection direction) const {
    const bool importing = direction == TransferDirection::Import;
    switch (outcome) {
    case Outcome::Compared:
        return comparisonTotals(comparison, texts);
    case Outcome::Same:
        return texts.text(TextId::CompareSame);
    case Outcome::Replaced:
        return texts.text(TextId::FileReplaced);
    case Outcome::New:
        return texts.text(TextId::FileNew);
    case Outcome::KeptNotInSource:
        return texts.text(importing ? TextId::NotOnCardKept : TextId::NotHereKept);
    case Outcome::CreatedEmpty:
        return texts.text(TextId::CreatedEmpty);
    case Outcome::SourceDamaged:
        return texts.text(importing ? TextId::DamagedOnCard : TextId::DamagedHere).arg(damage);
    case Outcome::SourceUnreadable:
        return texts.text(TextId::CannotBeRead).arg(why.in(texts));
    }
    return {};
}

bool TransferPreview::replacesAny() const {
    for (const PreviewLine& line : lines)
        if (line.targetExists && line.changesTarget())
            return true;
    return false;
}

TransferPreview previewTransfer(const QString& sourceFolder, const QString& targetFolder, const QStringList& names,
                                const std::vector<DocumentInfo>& documents) {
    TransferPreview preview;
    for (const QString& name : names) {
        PreviewLine line;
        line.name = name;
        for (std::size_t d = 0; d < documents.size(); ++d)
            if (documents[d].fileName.compare(name, Qt::CaseInsensitive) == 0)
                line.document = int(d);
        line.sourcePath = namedFilePath(sourceFolder, name);
        line.targetPath = namedFilePath(targetFolder, name);
        line.targetExists = !line.targetPath.isEmpty();
        if (line.document >= 0)
            previewDocumentFile(line, documents[std::size_t(line.document)]);
        else
            previewOtherFile(line);
        preview.lines.push_back(std::move(line));
    }
    return preview;
}

} // namespace quorvan
