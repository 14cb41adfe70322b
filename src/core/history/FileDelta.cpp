#include "core/history/FileDelta.h"

#include <algorithm>

namespace quorvan {

namespace {

constexpr qsizetype kCompressAbove = 4096;

} // namespace

void FileDelta::addHunk(std::vector<Hunk>& hunks, const QByteArray& from, qint64 fromBegin, qint64 fromEnd,
                        const QByteArray& to, qint64 toBegin, qint64 toEnd) {
    // Trim what both parts share at the start, then at the end (never past the trimmed start).
    const char* f = from.constData();
    const char* t = to.constData();
    qint64 prefix = 0;
    const qint64 shorter = std::min(fromEnd - fromBegin, toEnd - toBegin);
    while (prefix < shorter && f[fromBegin + prefix] == t[toBegin + prefix])
        ++prefix;
    qint64 suffix = 0;
    while (suffix < shorter - prefix && f[fromEnd - 1 - suffix] == t[toEnd - 1 - suffix])
        ++suffix;
    const qint64 removed = fromEnd - fromBegin - prefix - suffix;
    const qint64 addedSize = toEnd - toBegin - prefix - suffix;
    if (removed == 0 && addedSize == 0)
        return;
    Hunk hunk;
    hunk.offset = fromBegin + prefix;
    hunk.removed = removed;
    hunk.added = to.mid(toBegin + prefix, addedSize);
    if (hunk.added.size() > kCompressAbove) {
        QByteArray packed = qCompress(hunk.added, 6);
        if (packed.size() < hunk.added.size()) {
            hunk.added = std::move(packed);
            hunk.compressed = true;
        }
    }
    hunks.push_back(std::move(hunk));
}

FileDelta FileDelta::between(const QByteArray& from, const QByteArray& to, qint64 split) {
    FileDelta delta;
    delta.m_fromSize = from.size();
    delta.m_toSize = to.size();
    const qint64 fromSplit = std::min<qint64>(split, from.size());
    const qint64 toSplit = std::min<qint64>(split, to.size());
    addHunk(delta.m_hunks, from, 0, fromSplit, to, 0, toSplit);
    addHunk(delta.m_hunks, from, fromSplit, from.size(), to, toSplit, to.size());
    return delta;
}

QByteArray FileDelta::apply(const QByteArray& from, bool* ok) const {
    if (ok)
        *ok = from.size() == m_fromSize;
    if (from.size() != m_fromSize)
        return {};
    QByteArray to;
    to.reserve(m_toSize);
    qint64 at = 0;
    for (const Hunk& hunk : m_hunks) {
        to.append(from.constData() + at, hunk.offset - at);
        to.append(hunk.compressed ? qUncompress(hunk.added) : hunk.added);
        at = hunk.offset + hunk.removed;
    }
    to.append(from.constData() + at, from.size() - at);
    if (to.size() != m_toSize) {
        if (ok)
            *ok = false;
        return {};
    }
    return to;
}

qint64 FileDelta::storedBytes() const {
    qint64 total = 0;
    for (const Hunk& hunk : m_hunks)
        total += hunk.added.size();
    return total;
}

} // namespace quorvan
