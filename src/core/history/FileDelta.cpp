#include "core/history/FileDelta.h"

#include <algorithm>
#include <cstring>

namespace quorvan {

namespace {

constexpr qsizetype kCompressAbove = 4096;

// How many bytes two ranges of equal length share at their start (forward) or at their end, compared a piece at
// a time; -1 when one of them cannot be read.
qint64 sharedRun(const FileContent& a, qint64 aBegin, const FileContent& b, qint64 bBegin, qint64 length, bool fromEnd,
                 char* bufferA, char* bufferB) {
    qint64 shared = 0;
    while (shared < length) {
        const qint64 n = std::min(FileContent::kPiece, length - shared);
        const qint64 aAt = fromEnd ? aBegin + length - shared - n : aBegin + shared;
        const qint64 bAt = fromEnd ? bBegin + length - shared - n : bBegin + shared;
        const char* pa = a.piece(aAt, n, bufferA);
        const char* pb = b.piece(bAt, n, bufferB);
        if (!pa || !pb)
            return -1;
        if (std::memcmp(pa, pb, std::size_t(n)) == 0) {
            shared += n;
            continue;
        }
        if (fromEnd) {
            qint64 k = 0;
            while (pa[n - 1 - k] == pb[n - 1 - k])
                ++k;
            return shared + k;
        }
        return shared + (std::mismatch(pa, pa + n, pb).first - pa);
    }
    return shared;
}

} // namespace

void FileDelta::addHunk(qint64 offset, qint64 removed, QByteArray added) {
    if (removed == 0 && added.isEmpty())
        return;
    Hunk hunk;
    hunk.offset = offset;
    hunk.removed = removed;
    hunk.added = std::move(added);
    if (hunk.added.size() > kCompressAbove) {
        QByteArray packed = qCompress(hunk.added, 6);
        if (packed.size() < hunk.added.size()) {
            hunk.added = std::move(packed);
            hunk.compressed = true;
        }
    }
    m_hunks.push_back(std::move(hunk));
}

FileDelta::Pair FileDelta::both(const FileContent& from, const FileContent& to, bool* ok, qint64 split) {
    Pair pair;
    pair.forward.m_fromSize = pair.backward.m_toSize = from.size();
    pair.forward.m_toSize = pair.backward.m_fromSize = to.size();
    std::vector<char> bufferA(static_cast<std::size_t>(FileContent::kPiece));
    std::vector<char> bufferB(static_cast<std::size_t>(FileContent::kPiece));
    bool read = true;
    const qint64 fromSplit = std::min(split, from.size());
    const qint64 toSplit = std::min(split, to.size());
    const auto part = [&](qint64 fromBegin, qint64 fromEnd, qint64 toBegin, qint64 toEnd) {
        // What both parts share at the start, then at the end (never past the shared start).
        const qint64 shorter = std::min(fromEnd - fromBegin, toEnd - toBegin);
        const qint64 prefix = sharedRun(from, fromBegin, to, toBegin, shorter, false, bufferA.data(), bufferB.data());
        const qint64 suffix = prefix < 0 ? -1
                                         : sharedRun(from, fromEnd - (shorter - prefix), to, toEnd - (shorter - prefix),
                                                     shorter - prefix, true, bufferA.data(), bufferB.data());
        if (prefix < 0 || suffix < 0) {
            read = false;
            return;
        }
        const qint64 removed = fromEnd - fromBegin - prefix - suffix;
        const qint64 added = toEnd - toBegin - prefix - suffix;
        if (removed == 0 && added == 0)
            return;
        bool gotTo = false, gotFrom = false;
        pair.forward.addHunk(fromBegin + prefix, removed, to.bytes(toBegin + prefix, added, &gotTo));
        pair.backward.addHunk(toBegin + prefix, added, from.bytes(fromBegin + prefix, removed, &gotFrom));
        read = read && gotTo && gotFrom;
    };
    part(0, fromSplit, 0, toSplit);
    part(fromSplit, from.size(), toSplit, to.size());
    if (ok)
        *ok = read;
    return read ? std::move(pair) : Pair{};
}

FileDelta FileDelta::between(const QByteArray& from, const QByteArray& to, qint64 split) {
    return both(FileContent(from), FileContent(to), nullptr, split).forward;
}

bool FileDelta::applyTo(const FileContent& from, const ByteSink& sink) const {
    if (from.size() != m_fromSize)
        return false;
    qint64 written = 0;
    const ByteSink counted = [&](const char* data, qint64 size) {
        written += size;
        return sink(data, size);
    };
    qint64 at = 0;
    for (const Hunk& hunk : m_hunks) {
        if (!from.copyTo(at, hunk.offset - at, counted))
            return false;
        const QByteArray added = hunk.compressed ? qUncompress(hunk.added) : hunk.added;
        if (!added.isEmpty() && !counted(added.constData(), added.size()))
            return false;
        at = hunk.offset + hunk.removed;
    }
    return from.copyTo(at, from.size() - at, counted) && written == m_toSize;
}

QByteArray FileDelta::apply(const QByteArray& from, bool* ok) const {
    QByteArray to;
    to.reserve(m_toSize);
    const bool built = applyTo(FileContent(from), [&](const char* data, qint64 size) {
        to.append(data, size);
        return true;
    });
    if (ok)
        *ok = built;
    return built ? to : QByteArray();
}

qint64 FileDelta::storedBytes() const {
    qint64 total = 0;
    for (const Hunk& hunk : m_hunks)
        total += hunk.added.size();
    return total;
}

} // namespace quorvan
