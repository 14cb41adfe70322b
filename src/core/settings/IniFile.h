#pragma once

#include "core/files/AtomicFile.h"
#include "core/files/RegularFile.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace quorvan {

// An initialisation file of bracketed sections and key=value lines. Section and key names match in any letter
// case; the first occurrence wins. Lines the program does not touch (comments, unknown keys) are kept when the
// file is written back. Reads UTF-8, UTF-16 with a byte-order mark, and, for files that are neither, GB18030
// (the encoding such files had on Chinese desktops); writes UTF-8.
class IniFile {
public:
    IniFile() = default;

    // A missing or unreadable file gives an empty profile, and so does anything but a regular file of at most
    // kMaxSettingsFileBytes (a link, a FIFO, a device); *status says which.
    static IniFile load(const QString& path, ReadStatus* status = nullptr);
    static IniFile fromBytes(const QByteArray& bytes);

    // The value of a key, trimmed of surrounding white space and one pair of matching quotes; nullopt when the
    // section or the key does not exist.
    std::optional<QString> value(const QString& section, const QString& key) const;

    // Sets a key, adding the section at the end and the key at the end of its section as needed. Line breaks
    // in the value become spaces so a value can never inject lines.
    void setValue(const QString& section, const QString& key, const QString& value);

    QByteArray toBytes() const;
    SaveResult save(const QString& path) const;

private:
    struct Location {
        int sectionLine = -1; // line of the section header, -1 when missing
        int keyLine = -1;     // line of the key, -1 when missing
        int lastLine = -1;    // last non-blank line of the section
    };
    Location find(const QString& section, const QString& key) const;

    QStringList m_lines;
    QString m_eol = QStringLiteral("\n");
};

} // namespace quorvan
