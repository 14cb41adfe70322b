#pragma once

#include "core/files/ScheduleTypes.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <vector>

namespace quorvan {

class TextTable;

enum class DocumentKind : std::int32_t {
    NormalSchedule = 1, // a timing list of up to 256 entries
    RemotePresets = 6,  // the twelve remote-key presets
};

// One of the five documents: what it is and where it is kept.
struct DocumentInfo {
    DocumentKind kind = DocumentKind::NormalSchedule;
    QString caption;  // shown in the navigation tree and the copy dialog, in the current language
    QString fileName; // name of the data file inside the data folder
};

// The five documents in list order, captions in the texts' language: four schedules, then the remote keys.
std::vector<DocumentInfo> documentList(const TextTable& texts);
// The data file names of documents, in their order.
QStringList documentFiles(const std::vector<DocumentInfo>& documents);

// Entries a document of this kind holds at most (the remote keys: always this many).
int capacityOf(DocumentKind kind);

// What a change did to a document's entries: `index` is the entry changed, added or removed (for a move, where
// it was; `to`, where it went). Reset: the document holds other entries altogether (a load).
struct EntriesChange {
    enum Kind { Appended, Inserted, Replaced, Removed, Moved, Reset };
    Kind kind = Reset;
    int index = -1;
    int to = -1;
};

// One document's entries, owned here and changed only through the methods below, each of which says what it
// changed. A schedule holds up to 256 entries; the remote keys always hold twelve presets, an empty preset
// being an entry with `used` false.
class ScheduleDocument : public QObject {
    Q_OBJECT
public:
    explicit ScheduleDocument(QObject* parent = nullptr);

    const DocumentInfo& info() const { return m_info; }
    DocumentKind kind() const { return m_info.kind; }
    int capacity() const { return capacityOf(m_info.kind); }
    bool fixedSize() const { return m_info.kind == DocumentKind::RemotePresets; }

    const ScheduleTable& table() const { return m_table; }
    int count() const { return m_table.count(); }
    bool isFull() const { return count() >= capacity(); }
    // Entry index, for 0 <= index < count().
    const TimingEntry& entry(int index) const { return m_table.entries[std::size_t(index)]; }

    // Each returns false and changes nothing when the index lies outside or the document cannot grow or shrink.
    bool append(const TimingEntry& entry);
    bool insert(int index, const TimingEntry& entry);
    bool replace(int index, const TimingEntry& entry);
    // A schedule loses the entry; a remote key's preset becomes empty.
    bool remove(int index);
    bool move(int from, int to);
    // Another document, or the same one read again: a remote-key document is cut or filled to twelve presets.
    void replaceAll(DocumentInfo info, ScheduleTable table);
    // The caption in another language; the entries stay.
    void setCaption(const QString& caption) { m_info.caption = caption; }

signals:
    void entriesChanged(const quorvan::EntriesChange& change);

private:
    void changed(EntriesChange::Kind kind, int index, int to = -1);

    DocumentInfo m_info;
    ScheduleTable m_table;
};

} // namespace quorvan
