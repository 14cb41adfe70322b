#pragma once

#include <QString>

#include <optional>

namespace quorvan {

// What identifies a file's present content without reading it: device, inode, size, modification and change
// times (nanoseconds). A save renames a new file over the old one (a new inode); a write in place changes the
// times.
struct FileStamp {
    quint64 device = 0, inode = 0;
    qint64 size = -1, modified = 0, changed = 0;
    bool operator==(const FileStamp&) const = default;
};

// Nothing for a file that cannot be looked at.
std::optional<FileStamp> fileStamp(const QString& path);

} // namespace quorvan
