#include "core/settings/IniFile.h"

#include "core/files/RegularFile.h"

#include <QStringDecoder>

namespace quorvan {

namespace {

bool isValidUtf8(const QByteArray& bytes) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(bytes);
    return !decoder.hasError();
}

QString decodeRaw(const QByteArray& bytes) {
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes.constData() + 3, bytes.size() - 3);
    if (bytes.startsWith("\xFF\xFE")) {
        QStringDecoder decoder(QStringDecoder::Utf16LE);
        return decoder.decode(QByteArrayView(bytes).sliced(2));
    }
    if (bytes.startsWith("\xFE\xFF")) {
        QStringDecoder decoder(QStringDecoder::Utf16BE);
        return decoder.decode(QByteArrayView(bytes).sliced(2));
    }
    if (isValidUtf8(bytes))
        return QString::fromUtf8(bytes);
    QStringDecoder gb18030("GB18030");
    if (gb18030.isValid())
        return gb18030.decode(bytes);
    return QString::fromLatin1(bytes);
}

QString decode(const QByteArray& bytes) {
    // Unpaired UTF-16 surrogates become U+FFFD, as they will when the file is written back in UTF-8, and stray
    // byte-order marks at the start are dropped: what is read is exactly what a save keeps.
    QString text = QString::fromUtf8(decodeRaw(bytes).toUtf8());
    while (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    return text;
}

// "[name]" → name; empty when the line is not a section header.
QString sectionName(const QString& line) {
    const QString t = line.trimmed();
    if (t.size() >= 2 && t.front() == u'[') {
        const qsizetype close = t.indexOf(u']');
        if (close > 0)
            return t.sliced(1, close - 1).trimmed();
    }
    return {};
}

bool isSection(const QString& line) {
    const QString t = line.trimmed();
    return t.startsWith(u'[') && t.indexOf(u']') > 0;
}

// The key of a "key=value" line, or empty.
QString keyOf(const QString& line) {
    const QString t = line.trimmed();
    if (t.isEmpty() || t.front() == u';' || t.front() == u'[')
        return {};
    const qsizetype eq = t.indexOf(u'=');
    if (eq <= 0)
        return {};
    return t.first(eq).trimmed();
}

QString cleanValue(QString v) {
    v.replace(u'\r', u' ');
    v.replace(u'\n', u' ');
    return v;
}

} // namespace

IniFile IniFile::load(const QString& path, ReadStatus* status) {
    const FileRead read = readRegularFile(path, kMaxSettingsFileBytes);
    if (status)
        *status = read.status;
    return read.ok() ? fromBytes(read.bytes) : IniFile();
}

IniFile IniFile::fromBytes(const QByteArray& bytes) {
    IniFile profile;
    const QString text = decode(bytes);
    if (text.contains(u"\r\n"))
        profile.m_eol = QStringLiteral("\r\n");
    QString normalised = text;
    normalised.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    normalised.replace(u'\r', u'\n');
    profile.m_lines = normalised.split(u'\n');
    if (!profile.m_lines.isEmpty() && profile.m_lines.back().isEmpty())
        profile.m_lines.removeLast(); // the text ended with a line break
    return profile;
}

IniFile::Location IniFile::find(const QString& section, const QString& key) const {
    Location at;
    for (int i = 0; i < m_lines.size(); ++i) {
        const QString& line = m_lines[i];
        if (isSection(line)) {
            if (at.sectionLine >= 0)
                break; // end of the section we were in
            if (sectionName(line).compare(section, Qt::CaseInsensitive) == 0) {
                at.sectionLine = i;
                at.lastLine = i;
            }
            continue;
        }
        if (at.sectionLine < 0)
            continue;
        if (!line.trimmed().isEmpty())
            at.lastLine = i;
        if (at.keyLine < 0 && keyOf(line).compare(key, Qt::CaseInsensitive) == 0 && !keyOf(line).isEmpty())
            at.keyLine = i;
    }
    return at;
}

std::optional<QString> IniFile::value(const QString& section, const QString& key) const {
    const Location at = find(section, key);
    if (at.keyLine < 0)
        return std::nullopt;
    const QString& line = m_lines[at.keyLine];
    QString v = line.sliced(line.indexOf(u'=') + 1).trimmed();
    if (v.size() >= 2 && (v.front() == u'"' || v.front() == u'\'') && v.back() == v.front())
        v = v.sliced(1, v.size() - 2);
    return v;
}

void IniFile::setValue(const QString& section, const QString& key, const QString& value) {
    const QString line = cleanValue(key) + u'=' + cleanValue(value);
    const Location at = find(section, key);
    if (at.keyLine >= 0) {
        m_lines[at.keyLine] = line;
    } else if (at.sectionLine >= 0) {
        m_lines.insert(at.lastLine + 1, line);
    } else {
        m_lines.append(u'[' + cleanValue(section) + u']');
        m_lines.append(line);
    }
}

QByteArray IniFile::toBytes() const {
    QString text;
    for (const QString& line : m_lines)
        text += line + m_eol;
    return text.toUtf8();
}

SaveResult IniFile::save(const QString& path) const {
    return writeFileAtomically(path, toBytes());
}

} // namespace quorvan
