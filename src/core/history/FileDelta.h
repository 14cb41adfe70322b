#pragma once

#include "core/files/FileContent.h"

#include <QByteArray>

#include <vector>

namespace quorvan {

// What turns one version of a file's bytes into another, kept small: the files are cut in two at `split` (the
// schedule file's header, whose offset table changes whenever an entry grows or shrinks) and each part keeps only
// the bytes between what both versions share at its start and at its end. Deleting, adding or changing one entry
// of a 41 MB schedule is stored as that entry's bytes. Large replacements are compressed.
class FileDelta {
public:
    static constexpr qint64 kDefaultSplit = 4104; // the schedule file's header

    // Both ways between two versions, found in one comparison.
    struct Pair;

    FileDelta() = default;
    static FileDelta between(const QByteArray& from, const QByteArray& to, qint64 split = kDefaultSplit);
    // Reads both versions piece by piece; ok false when one of them could not be read.
    static Pair both(const FileContent& from, const FileContent& to, bool* ok = nullptr, qint64 split = kDefaultSplit);

    // The `to` bytes rebuilt from the `from` bytes; an empty result with ok false when from is not the size the
    // delta was made for.
    QByteArray apply(const QByteArray& from, bool* ok = nullptr) const;
    // The same, handed to sink piece by piece; false when from is not that size, cannot be read or sink refused.
    bool applyTo(const FileContent& from, const ByteSink& sink) const;

    qint64 fromSize() const { return m_fromSize; }
    qint64 toSize() const { return m_toSize; }
    bool isEmpty() const { return m_hunks.empty(); }
    // Memory the delta holds for its replaced bytes.
    qint64 storedBytes() const;

private:
    struct Hunk {
        qint64 offset = 0;  // in `from`
        qint64 removed = 0; // bytes of `from` replaced
        QByteArray added;   // what replaces them (compressed when `compressed`)
        bool compressed = false;
    };
    void addHunk(qint64 offset, qint64 removed, QByteArray added);

    std::vector<Hunk> m_hunks;
    qint64 m_fromSize = 0;
    qint64 m_toSize = 0;
};

struct FileDelta::Pair {
    FileDelta forward;  // from → to
    FileDelta backward; // to → from
};

} // namespace quorvan
