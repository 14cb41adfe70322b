#include "core/schedule/ScheduleCopy.h"

#include "core/files/ScheduleFile.h"
#include "core/texts/TextTable.h"

namespace quorvan {

namespace {

QString numbered(int n) {
    return QStringLiteral("%1").arg(n, 2);
}

std::vector<EntryChoice> remoteChoices(const TextTable& texts) {
    std::vector<EntryChoice> items;
    for (int k = 0; k < 4; ++k)
        items.push_back({texts.text(TextId::Shortcut) + numbered(k + 1), k});
    for (int k = 0; k < kRemoteKeyCount; ++k)
        items.push_back({texts.text(TextId::RemoteKey) + numbered(k + 1), k});
    return items;
}

} // namespace

std::vector<EntryChoice> sourceEntryChoices(DocumentKind kind, int count, const TextTable& texts) {
    if (kind == DocumentKind::RemotePresets)
        return remoteChoices(texts);
    if (count <= 0)
        return {{texts.text(TextId::ChoiceNull), kChoiceNull}};
    std::vector<EntryChoice> items{{texts.text(TextId::ChoiceAll), kChoiceAll}};
    for (int i = 0; i < count && i < kMaxEntries; ++i)
        items.push_back({numbered(i + 1), i});
    return items;
}

std::vector<EntryChoice> targetEntryChoices(DocumentKind kind, int count, const TextTable& texts) {
    if (kind == DocumentKind::RemotePresets)
        return remoteChoices(texts);
    std::vector<EntryChoice> items;
    for (int i = 0; i < count && i < kMaxEntries; ++i)
        items.push_back({numbered(i + 1), i});
    if (count < kMaxEntries)
        items.push_back({texts.text(TextId::ChoiceNew), kChoiceNew});
    return items;
}

void loadForCopy(const QString& programFolder, const DocumentInfo& document, ScheduleTable& table, ReadStatus* status) {
    loadTable(programFolder, document.fileName, table, status);
    if (document.kind == DocumentKind::RemotePresets)
        table.entries.resize(kRemoteKeyCount);
}

int entryCountForCopy(const QString& programFolder, const DocumentInfo& document) {
    if (document.kind == DocumentKind::RemotePresets)
        return kRemoteKeyCount;
    return loadableEntryCount(dataFilePath(programFolder, document.fileName));
}

CopyOutcome copyEntries(const QString& programFolder, const std::vector<DocumentInfo>& documents, int s, int o, int t,
                        int v, ScheduleTable& source, ScheduleTable& target) {
    CopyOutcome outcome;
    const auto valid = [&](int position) { return position >= 0 && std::size_t(position) < documents.size(); };
    if (!valid(s) || !valid(t)) {
        outcome.refusal = TextId::UnexpectedError;
        return outcome;
    }
    const DocumentInfo& targetDoc = documents[std::size_t(t)];
    loadForCopy(programFolder, documents[std::size_t(s)], source);
    ReadStatus targetRead;
    loadForCopy(programFolder, targetDoc, target, &targetRead);
    if (targetRead.refused()) {
        // Written over, what the file holds would be lost unseen: nothing is copied into it.
        outcome.save = SaveResult::failure(targetRead.problem);
        return outcome;
    }

    const auto isSlot = [](int n) { return n >= 0 && n < kMaxEntries; };
    if (o == kChoiceNull) {
        outcome.refusal = TextId::CopyNullTiming;
        return outcome;
    }
    if (s == t && o == v) {
        outcome.refusal = TextId::CopyRepetition;
        return outcome;
    }
    if (v == kChoiceNew) {
        if (!isSlot(o)) {
            outcome.refusal = TextId::UnexpectedError;
            return outcome;
        }
        if (target.count() < kMaxEntries) {
            appendEntry(target, source.entries[o]);
            outcome.appended = true;
        }
    } else if (o == kChoiceAll) {
        if (targetDoc.kind == DocumentKind::RemotePresets) {
            outcome.refusal = TextId::CopyToAlarm;
            return outcome;
        }
        for (int i = 0; i < kMaxEntries && target.count() > 0; ++i)
            removeEntry(target, 0);
        for (int i = 0; i < source.count() && target.count() < kMaxEntries; ++i)
            appendEntry(target, source.entries[i]);
    } else {
        if (!isSlot(o) || !isSlot(v)) {
            outcome.refusal = TextId::UnexpectedError;
            return outcome;
        }
        // A slot at or beyond the target's count (possible only for the fixed remote list) copies nothing.
        replaceEntry(target, v, source.entries[o]);
    }
    outcome.save = saveTable(programFolder, targetDoc.fileName, target);
    return outcome;
}

CopyOutcome appendCopies(const QString& programFolder, const DocumentInfo& target,
                         const std::vector<TimingEntry>& entries) {
    CopyOutcome outcome;
    if (target.kind == DocumentKind::RemotePresets) {
        outcome.refusal = TextId::CopyToAlarm;
        return outcome;
    }
    ScheduleTable table;
    ReadStatus read;
    loadForCopy(programFolder, target, table, &read);
    if (read.refused()) {
        outcome.save = SaveResult::failure(read.problem);
        return outcome;
    }
    if (table.count() + int(entries.size()) > kMaxEntries) {
        outcome.refusal = TextId::ListFull;
        return outcome;
    }
    table.entries.insert(table.entries.end(), entries.begin(), entries.end());
    outcome.appended = true;
    outcome.save = saveTable(programFolder, target.fileName, table);
    return outcome;
}

} // namespace quorvan
