#include "core/schedule/ScheduleDocument.h"

#include "core/texts/TextTable.h"

namespace quorvan {

int capacityOf(DocumentKind kind) {
    return kind == DocumentKind::RemotePresets ? kRemoteKeyCount : kMaxEntries;
}

std::vector<DocumentInfo> documentList(const TextTable& texts) {
    static constexpr struct {
        DocumentKind kind;
        int text;
        const char16_t* file;
    } kDocuments[] = {
        {DocumentKind::NormalSchedule, TextId::Schedule1, u"SCH01.DAT"},
        {DocumentKind::NormalSchedule, TextId::Schedule1 + 1, u"SCH02.DAT"},
        {DocumentKind::NormalSchedule, TextId::Schedule1 + 2, u"SCH03.DAT"},
        {DocumentKind::NormalSchedule, TextId::Schedule1 + 3, u"SCH04.DAT"},
        {DocumentKind::RemotePresets, TextId::RemoteList, u"REMOTE.DAT"},
    };
    std::vector<DocumentInfo> documents;
    for (const auto& d : kDocuments)
        documents.push_back({d.kind, texts.text(d.text), QString::fromUtf16(d.file)});
    return documents;
}

QStringList documentFiles(const std::vector<DocumentInfo>& documents) {
    QStringList files;
    for (const DocumentInfo& d : documents)
        files << d.fileName;
    return files;
}

ScheduleDocument::ScheduleDocument(QObject* parent) : QObject(parent) {}

void ScheduleDocument::changed(EntriesChange::Kind kind, int index, int to) {
    emit entriesChanged(EntriesChange{kind, index, to});
}

bool ScheduleDocument::append(const TimingEntry& entry) {
    if (fixedSize() || isFull())
        return false;
    m_table.entries.push_back(entry);
    changed(EntriesChange::Appended, count() - 1);
    return true;
}

bool ScheduleDocument::insert(int index, const TimingEntry& entry) {
    if (fixedSize() || isFull() || index < 0 || index > count())
        return false;
    m_table.entries.insert(m_table.entries.begin() + index, entry);
    changed(EntriesChange::Inserted, index);
    return true;
}

bool ScheduleDocument::replace(int index, const TimingEntry& entry) {
    if (index < 0 || index >= count())
        return false;
    m_table.entries[std::size_t(index)] = entry;
    changed(EntriesChange::Replaced, index);
    return true;
}

bool ScheduleDocument::remove(int index) {
    if (index < 0 || index >= count())
        return false;
    if (fixedSize()) {
        m_table.entries[std::size_t(index)] = TimingEntry{};
        changed(EntriesChange::Replaced, index);
        return true;
    }
    m_table.entries.erase(m_table.entries.begin() + index);
    changed(EntriesChange::Removed, index);
    return true;
}

bool ScheduleDocument::move(int from, int to) {
    if (from < 0 || from >= count() || to < 0 || to >= count())
        return false;
    if (from == to)
        return true;
    TimingEntry moving = std::move(m_table.entries[std::size_t(from)]);
    m_table.entries.erase(m_table.entries.begin() + from);
    m_table.entries.insert(m_table.entries.begin() + to, std::move(moving));
    changed(EntriesChange::Moved, from, to);
    return true;
}

void ScheduleDocument::replaceAll(DocumentInfo info, ScheduleTable table) {
    m_info = std::move(info);
    m_table = std::move(table);
    if (fixedSize())
        m_table.entries.resize(kRemoteKeyCount); // presets the file lacks are empty; extras are not kept
    else if (count() > capacity())
        m_table.entries.resize(std::size_t(capacity()));
    changed(EntriesChange::Reset, -1);
}

} // namespace quorvan
