#include "core/schedule/ScheduleModel.h"

#include "core/files/ScheduleFile.h"
#include "core/texts/TextTable.h"

namespace quorvan {

int capacityOf(DocumentKind kind) {
    return kind == DocumentKind::RemotePresets ? kRemoteKeyCount : kMaxEntries;
}

void appendEntry(ScheduleTable& table, const TimingEntry& entry) {
    if (table.count() < kMaxEntries)
        table.entries.push_back(entry);
}

void replaceEntry(ScheduleTable& table, int index, const TimingEntry& entry) {
    if (index >= 0 && index < table.count())
        table.entries[std::size_t(index)] = entry;
}

int removeEntry(ScheduleTable& table, unsigned index) {
    if (index >= unsigned(kMaxEntries))
        return 0;
    if (index < unsigned(table.count()))
        table.entries.erase(table.entries.begin() + std::ptrdiff_t(index));
    return 1;
}

void clearTable(ScheduleTable& table) {
    table.entries.clear();
}

std::unique_ptr<ScheduleTable> makeTable() {
    return std::make_unique<ScheduleTable>();
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
        m_table->entries.resize(kRemoteKeyCount); // presets the file lacks are empty
}

SaveResult ScheduleModel::saveCurrentDocument() {
    const QString path = dataFilePath(m_programFolder, current().fileName);
    if (current().kind == DocumentKind::RemotePresets)
        m_table->entries.resize(kRemoteKeyCount); // all twelve are written, empty ones as zeros
    const SaveResult result = saveTableFile(path, *m_table);
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
