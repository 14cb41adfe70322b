#include "core/settings/SettingsFiles.h"

#include "core/settings/IniFile.h"

#include <limits>

namespace quorvan {

namespace {
const QString kNameKey = QStringLiteral("name");

QString cut(const QString& text) {
    return text.left(SettingsFiles::kValueLimit);
}
} // namespace

SettingsFiles::SettingsFiles(QString programFolder) : m_programFolder(std::move(programFolder)) {}

SettingsFiles::~SettingsFiles() = default;

const IniFile& SettingsFiles::current(const QString& path, Cached& cache) {
    // The stamp is taken before the read: a write meanwhile makes the next look read again.
    const std::optional<FileStamp> stamp = fileStamp(path);
    if (!cache.read || stamp != cache.stamp || !cache.profile) {
        cache.profile = std::make_unique<IniFile>(IniFile::load(path, &cache.status));
        cache.stamp = stamp;
        cache.read = true;
    }
    return *cache.profile;
}

ReadStatus SettingsFiles::configStatus() const {
    config();
    return m_config.status;
}

ReadStatus SettingsFiles::namesStatus() const {
    nameFile();
    return m_names.status;
}

QString SettingsFiles::configPath() const {
    return m_programFolder + QStringLiteral("Config.ini");
}
QString SettingsFiles::namePath() const {
    return m_programFolder + QStringLiteral("Config_name.ini");
}
QString SettingsFiles::playerListPath() const {
    return m_programFolder + QStringLiteral("player.m3u8");
}

int SettingsFiles::parseInteger(const QString& text) {
    qsizetype i = 0;
    while (i < text.size() && (text[i] == u' ' || text[i] == u'\t' || text[i] == u'\n' || text[i] == u'\r' ||
                               text[i] == u'\v' || text[i] == u'\f'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    long long value = 0;
    constexpr long long kLimit = 1LL << 32; // far enough past the int range to clamp correctly
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i)
        value = std::min(kLimit, value * 10 + (text[i].unicode() - u'0'));
    if (negative)
        value = -value;
    return static_cast<int>(
        std::clamp<long long>(value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

QString SettingsFiles::readText(const QString& section, const QString& key) const {
    return cut(config().value(section, key).value_or(QString()));
}

SettingValue SettingsFiles::readSetting(const QString& section, const QString& key) const {
    const QString text = readText(section, key);
    return {!text.isEmpty(), parseInteger(text)};
}

SaveResult SettingsFiles::writeSetting(const QString& section, const QString& key, int value) const {
    IniFile profile = config();
    profile.setValue(section, key, QString::number(value));
    return profile.save(configPath());
}

QString SettingsFiles::nameSection(NameTable table, int index) {
    return NameTables::sectionPrefix(table) + QString::number(index);
}

void SettingsFiles::readNameFrom(const IniFile& profile, NameTables& names, NameTable table, int index) {
    const QString text = cut(profile.value(nameSection(table, index), kNameKey).value_or(QString()));
    if (!text.isEmpty())
        names.setStored(table, index, text);
}

void SettingsFiles::readName(NameTables& names, NameTable table, int index) const {
    readNameFrom(nameFile(), names, table, index);
}

SaveResult SettingsFiles::writeName(const NameTables& names, NameTable table, int index) const {
    IniFile profile = nameFile();
    profile.setValue(nameSection(table, index), kNameKey, names.stored(table, index));
    return profile.save(namePath());
}

void SettingsFiles::loadNames(NameTables& names) const {
    const IniFile& profile = nameFile();
    const QString marker = QString::fromUtf16(kDefaultNameMarker);
    for (NameTable t : kAllNameTables) {
        for (int i = 0; i < NameTables::usedCount(t); ++i) {
            readNameFrom(profile, names, t, i);
            if (names.stored(t, i).isEmpty())
                names.setStored(t, i, marker);
        }
    }
}

SettingsSaveResult SettingsFiles::saveAll(const SettingsSnapshot& values, const NameTables& names) const {
    SettingsSaveResult result;
    IniFile config = this->config();
    config.setValue(QStringLiteral("SettingSysType"), QStringLiteral("type"), QString::number(values.mode));
    config.setValue(QStringLiteral("LanguageSelect"), QStringLiteral("ID"), QString::number(values.language));
    const int port = values.openPort != 0 ? values.openPort : values.configuredPort;
    config.setValue(QStringLiteral("SettingComm"), QStringLiteral("com"), QString::number(port));
    result.config = config.save(configPath());

    IniFile nameFile = this->nameFile();
    for (NameTable t : kAllNameTables)
        for (int i = 0; i < NameTables::usedCount(t); ++i)
            nameFile.setValue(nameSection(t, i), kNameKey, names.stored(t, i));
    result.names = nameFile.save(namePath());
    return result;
}

int startLanguage(const SettingValue& id) {
    if (!id.present)
        return 2;
    // Values 0..3 are taken as they are; everything else keeps the Chinese table that is loaded first.
    const int language = unsigned(id.value) <= 3u ? id.value : 2;
    return language == 1 ? 1 : 2;
}

} // namespace quorvan
