#pragma once

#include "core/files/AtomicFile.h"
#include "core/files/FileStamp.h"
#include "core/files/RegularFile.h"
#include "core/settings/NameTables.h"

#include <QString>

#include <memory>
#include <optional>

namespace quorvan {

class IniFile;

struct SettingValue {
    bool present = false; // the key held at least one character
    int value = 0;        // the text parsed as a decimal integer, 0 when it has no digits
};

// The language to start with, from [LanguageSelect] ID: a present value of 0..3 is taken (1 English, the others
// Chinese); a missing, empty, negative or larger value gives Chinese. Returns 1 or 2.
int startLanguage(const SettingValue& id);

struct SettingsSnapshot {
    int mode = 1;           // system type
    int language = 2;       // 1 English, 2 Chinese
    int openPort = 0;       // port held open at the moment, 0 when none
    int configuredPort = 0; // port read from Config.ini; written when none is open so it is never lost
};

struct SettingsSaveResult {
    SaveResult config; // Config.ini
    SaveResult names;  // Config_name.ini
    bool ok() const { return config.ok && names.ok; }
};

// Config.ini (system type, language, serial port) and Config_name.ini (the user's names) in the program folder.
// Each file is read again only when its stamp has changed since it was last read, so that asking for a value
// every second costs a look at the file, not a read of it.
class SettingsFiles {
public:
    static constexpr int kValueLimit = 259; // longest value read, as with a 260-character buffer

    explicit SettingsFiles(QString programFolder);
    ~SettingsFiles();

    QString configPath() const;
    QString namePath() const;
    // The music player's song list, kept between runs (an M3U play list).
    QString playerListPath() const;

    SettingValue readSetting(const QString& section, const QString& key) const;
    // The raw text of a Config.ini key (cut at 259 characters), empty when missing.
    QString readText(const QString& section, const QString& key) const;
    SaveResult writeSetting(const QString& section, const QString& key, int value) const;

    // Reads one stored name; an empty or missing value leaves the stored name as it was.
    void readName(NameTables& names, NameTable table, int index) const;
    SaveResult writeName(const NameTables& names, NameTable table, int index) const;
    // Reads every used name; names still empty afterwards become the default marker.
    void loadNames(NameTables& names) const;
    // Writes type, language and port to Config.ini and every used name to Config_name.ini.
    SettingsSaveResult saveAll(const SettingsSnapshot& values, const NameTables& names) const;

    // Signed decimal as the C library reads it: leading blanks, one sign, digits up to the first non-digit;
    // 0 without digits; clamped to the int range.
    static int parseInteger(const QString& text);
    static QString nameSection(NameTable table, int index);

    // How the last read of each file went: a file that is there but was refused (a link, a FIFO, too large)
    // reads as empty.
    ReadStatus configStatus() const;
    ReadStatus namesStatus() const;

private:
    static void readNameFrom(const IniFile& profile, NameTables& names, NameTable table, int index);

    struct Cached {
        bool read = false;
        std::optional<FileStamp> stamp;
        std::unique_ptr<IniFile> profile;
        ReadStatus status;
    };
    // The file as it is now: the copy last read while its stamp is unchanged.
    static const IniFile& current(const QString& path, Cached& cache);
    const IniFile& config() const { return current(configPath(), m_config); }
    const IniFile& nameFile() const { return current(namePath(), m_names); }

    QString m_programFolder;
    mutable Cached m_config;
    mutable Cached m_names;
};

} // namespace quorvan
