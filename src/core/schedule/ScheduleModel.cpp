#include "core/schedule/ScheduleModel.h"

#include "core/files/ScheduleFile.h"
#include "core/texts/TextTable.h"

namespace quorvan {

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
    : m_texts(texts), m_programFolder(std::move(programFolder)), m_documents(documentList(texts)) {
    loadCurrent();
}

ScheduleModel::~ScheduleModel() = default;

void ScheduleModel::retranslateDocumentList() {
    m_documents = documentList(m_texts);
    m_document.setCaption(current().caption);
}

void ScheduleModel::selectDocument(int position) {
    if (position < 0 || std::size_t(position) >= m_documents.size())
        return;
    m_current = position;
    reloadCurrentDocument();
}

void ScheduleModel::loadCurrent() {
    const QString path = dataFilePath(m_programFolder, current().fileName);
    m_tableStamp = fileStamp(path); // before the read: a write meanwhile makes the next refresh read again
    ScheduleTable table;
    loadTableFile(path, table, &m_loadStatus);
    m_document.replaceAll(current(), std::move(table));
}

SaveResult ScheduleModel::saveCurrentDocument() {
    const QString path = dataFilePath(m_programFolder, current().fileName);
    const SaveResult result = saveTableFile(path, m_document.table());
    m_tableStamp = result.ok ? fileStamp(path) : std::nullopt;
    if (result.ok)
        m_loadStatus = {}; // the file is the document's now
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
        m_handOff(m_document);
}

} // namespace quorvan
