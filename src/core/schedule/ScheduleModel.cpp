#include "core/schedule/ScheduleModel.h"

#include "core/files/ScheduleFile.h"
#include "core/texts/TextTable.h"

#include <cstring>
#include <sys/mman.h>

namespace quorvan {

int capacityOf(DocumentKind kind) {
    return kind == DocumentKind::RemotePresets ? kRemoteKeyCount : kMaxEntries;
}

void appendEntry(ScheduleTable& table, const TimingEntry& entry) {
    if (table.count < 0 || table.count >= kMaxEntries)
        return;
    table.entries[table.count] = entry;
    markSlotWritten(table, table.count);
    ++table.count;
}

void replaceEntry(ScheduleTable& table, int index, const TimingEntry& entry) {
    if (index < 0 || index >= table.count || index >= kMaxEntries)
        return;
    table.entries[index] = entry;
    markSlotWritten(table, index);
}

int removeEntry(ScheduleTable& table, unsigned index) {
    if (index >= unsigned(kMaxEntries))
        return 0;
    const int count = std::min(table.count, kMaxEntries);
    const int at = static_cast<int>(index);
    if (at + 1 < count) {
        std::memmove(&table.entries[at], &table.entries[at + 1], sizeof(TimingEntry) * std::size_t(count - at - 1));
        std::memmove(&table.marks.itemsInUse[at], &table.marks.itemsInUse[at + 1],
                     sizeof(std::uint16_t) * std::size_t(count - at - 1));
        std::memset(&table.entries[count - 1], 0, sizeof(TimingEntry));
        table.marks.itemsInUse[count - 1] = 0;
    } else {
        std::memset(&table.entries[at], 0, sizeof(TimingEntry));
        table.marks.itemsInUse[at] = 0;
    }
    if (table.count > 0)
        --table.count;
    return 1;
}

void clearTable(ScheduleTable& table) {
    std::memset(&table, 0, sizeof table);
}

std::unique_ptr<ScheduleTable> makeTable() {
    // No value-initialisation, which would write 41 MB of zeros: operator new hands out zeroed memory.
    auto table = std::make_unique_for_overwrite<ScheduleTable>();
    // 41 MB that every load fills: in 2 MB pages, a load of the largest file costs about a quarter less, most of
    // it missed page-table lookups while the kernel copies the file in.
    constexpr std::uintptr_t kHugePage = 2u << 20;
    const auto begin = reinterpret_cast<std::uintptr_t>(table.get());
    const std::uintptr_t first = (begin + kHugePage - 1) & ~(kHugePage - 1);
    const std::uintptr_t last = (begin + sizeof(ScheduleTable)) & ~(kHugePage - 1);
    if (last > first)
        ::madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE); // a hint: refusal costs nothing
    return table;
}

ScheduleModel::ScheduleModel(const TextTable& texts, QString programFolder)
    : m_texts(texts), m_programFolder(std::move(programFolder)), m_table(makeTable()) {
    rebuildDocumentList();
    loadCurrent();
}

ScheduleModel::~ScheduleModel() = default;

std::vector<ScheduleDocument> documentList(const TextTable& texts) {
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
    std::vector<ScheduleDocument> documents;
    for (const auto& d : kDocuments)
        documents.push_back({d.kind, texts.text(d.text), QString::fromUtf16(d.file)});
    return documents;
}

QStringList documentFiles(const std::vector<ScheduleDocument>& documents) {
    QStringList files;
    for (const ScheduleDocument& d : documents)
        files << d.fileName;
    return files;
}

void ScheduleModel::rebuildDocumentList() {
    documents = documentList(m_texts);
    m_current = 0;
}

void ScheduleModel::applyCurrentIndex() {
    if (currentIndex >= 0 && std::size_t(currentIndex) < documents.size())
        m_current = std::size_t(currentIndex);
}

void ScheduleModel::selectDocument(int position) {
    if (position < 0 || std::size_t(position) >= documents.size())
        return;
    currentIndex = position;
    m_current = std::size_t(position);
    reloadCurrentDocument();
}

void ScheduleModel::loadCurrent() {
    const QString path = dataFilePath(m_programFolder, current().fileName);
    m_tableStamp = fileStamp(path); // before the read: a write meanwhile makes the next refresh read again
    loadTableFile(path, *m_table, &m_loadStatus);
    if (current().kind == DocumentKind::RemotePresets)
        m_table->count = kRemoteKeyCount;
}

SaveResult ScheduleModel::saveCurrentDocument() {
    const QString path = dataFilePath(m_programFolder, current().fileName);
    const SaveResult result = saveTableFile(path, *m_table);
    if (current().kind == DocumentKind::RemotePresets)
        m_table->count = kRemoteKeyCount;
    m_tableStamp = result.ok ? fileStamp(path) : std::nullopt;
    if (result.ok)
        m_loadStatus = {}; // the file is the table's now
    return result;
}

ScheduleModel::FileState ScheduleModel::currentFileState() const {
    const auto now = fileStamp(dataFilePath(m_programFolder, current().fileName));
    if (m_loadStatus.refused() && now)
        return FileState::Unreadable;
    return m_tableStamp && now == m_tableStamp ? FileState::Ours
           : !m_tableStamp && !now             ? FileState::Ours // still missing
                                               : FileState::Changed;
}

void ScheduleModel::refreshCurrentDocument() {
    if (m_tableStamp && fileStamp(dataFilePath(m_programFolder, current().fileName)) == m_tableStamp)
        showCurrentDocument();
    else
        reloadCurrentDocument();
}

void ScheduleModel::reloadCurrentDocument() {
    loadCurrent();
    showCurrentDocument();
}

void ScheduleModel::showCurrentDocument() {
    if (m_handOff)
        m_handOff(current(), *m_table, capacityOf(current().kind));
}

} // namespace quorvan
