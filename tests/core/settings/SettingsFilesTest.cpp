#include "TestSupport.h"

#include "core/settings/HomeFolder.h"
#include "core/settings/HomeLock.h"
#include "core/settings/IniFile.h"
#include "core/settings/NameTables.h"
#include "core/settings/SettingsFiles.h"
#include "core/texts/TextTable.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include <climits>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace quorvan {
namespace {

using test::dataPath;
using test::FileSizeLimit;
using test::readFile;
using test::TempHome;
using test::writeFile;

const QString kMarker = QStringLiteral("*#default#*");

struct TableSections {
    NameTable table;
    const char16_t* prefix;
    int used;
};
// The sections of Config_name.ini, written out so that a wrong prefix or count in the code shows up.
const TableSections kSections[] = {{NameTable::ZoneGroups, u"Zone", 9},
                                   {NameTable::Zones, u"ZoneUnit", 40},
                                   {NameTable::Power, u"Power", 37},
                                   {NameTable::Outputs, u"Matrix", 64},
                                   {NameTable::Inputs, u"Source", 6}};

QString section(const TableSections& t, int index) {
    return QString::fromUtf16(t.prefix) + QString::number(index);
}

QStringList filesIn(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

TEST(SettingsFiles, ReadSettingParsesNumbersLikeTheCLibrary) {
    TempHome home;
    const SettingsFiles files(home.path());
    EXPECT_EQ(files.configPath(), home.file(QStringLiteral("Config.ini")));
    EXPECT_EQ(files.namePath(), home.file(QStringLiteral("Config_name.ini")));

    // No Config.ini at all.
    SettingValue v = files.readSetting(QStringLiteral("LanguageSelect"), QStringLiteral("ID"));
    EXPECT_FALSE(v.present);
    EXPECT_EQ(v.value, 0);

    const QByteArray zeros(258, '0');
    const QByteArray longLine = "long=" + zeros + "12\n";
    writeFile(files.configPath(), "[LanguageSelect]\nID=1\n"
                                  "[SettingComm]\ncom= -12abc\n"
                                  "[SettingSysType]\ntype=abc\n"
                                  "[Numbers]\nempty=\n"
                                  "big=99999999999999999999999\nsmall=-99999999999999999999999\n"
                                  "max=2147483647\nover=2147483648\nmin=-2147483648\nunder=-2147483649\n" +
                                      longLine);
    auto read = [&](const char16_t* sec, const char16_t* key) {
        return files.readSetting(QString::fromUtf16(sec), QString::fromUtf16(key));
    };
    v = read(u"languageselect", u"id");
    EXPECT_TRUE(v.present);
    EXPECT_EQ(v.value, 1);
    v = read(u"SettingComm", u"com");
    EXPECT_TRUE(v.present);
    EXPECT_EQ(v.value, -12);
    v = read(u"SettingSysType", u"type");
    EXPECT_TRUE(v.present); // text without digits is present, with the value 0
    EXPECT_EQ(v.value, 0);
    for (const char16_t* missing : {u"empty", u"nothing"}) {
        v = read(u"Numbers", missing);
        EXPECT_FALSE(v.present);
        EXPECT_EQ(v.value, 0);
    }
    EXPECT_EQ(read(u"Numbers", u"big").value, INT_MAX);
    EXPECT_EQ(read(u"Numbers", u"small").value, INT_MIN);
    EXPECT_EQ(read(u"Numbers", u"max").value, INT_MAX);
    EXPECT_EQ(read(u"Numbers", u"over").value, INT_MAX);
    EXPECT_EQ(read(u"Numbers", u"min").value, INT_MIN);
    EXPECT_EQ(read(u"Numbers", u"under").value, INT_MIN);

    // Values are cut at 259 characters before they are parsed: "000…0" followed by "1", not "12".
    EXPECT_EQ(files.readText(QStringLiteral("Numbers"), QStringLiteral("long")), QString::fromLatin1(zeros + '1'));
    EXPECT_EQ(read(u"Numbers", u"long").value, 1);
}

TEST(SettingsFiles, ParseIntegerStopsAtTheFirstNonDigit) {
    // clang-format off
    const std::pair<const char16_t*, int> cases[] = {
        {u"", 0},          {u"   ", 0},         {u"-", 0},           {u"+7", 7},
        {u" \t\r\n\v\f42x", 42}, {u"4 2", 4},   {u"+-3", 0},         {u"- 3", 0},
        {u"-0", 0},        {u"007", 7},         {u"x12", 0},         {u" -12abc", -12},
        {u"3.9", 3},       {u"0x1F", 0},        {u"1e3", 1},         {u"２", 0},
        {u"-2147483648", INT_MIN},              {u"2147483647", INT_MAX},
        {u"4294967296", INT_MAX},               {u"-4294967297", INT_MIN},
        {u"000000000000000000000000000000123", 123},
        {u"18446744073709551617", INT_MAX},     {u"-18446744073709551617", INT_MIN},
    };
    // clang-format on
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(SettingsFiles::parseInteger(QString::fromUtf16(text)), expected)
            << QString::fromUtf16(text).toStdString();
}

TEST(SettingsFiles, WriteSettingCreatesConfigAndKeepsTheRest) {
    TempHome home;
    const SettingsFiles files(home.path());
    const SaveResult first = files.writeSetting(QStringLiteral("SettingComm"), QStringLiteral("com"), 3);
    EXPECT_TRUE(first.ok) << first.error.toStdString();
    EXPECT_EQ(filesIn(home.path()), QStringList{QStringLiteral("Config.ini")});
    EXPECT_EQ(files.readSetting(QStringLiteral("SettingComm"), QStringLiteral("com")).value, 3);

    EXPECT_TRUE(files.writeSetting(QStringLiteral("LanguageSelect"), QStringLiteral("ID"), -5).ok);
    EXPECT_TRUE(files.writeSetting(QStringLiteral("settingcomm"), QStringLiteral("COM"), 7).ok);
    const IniFile written = IniFile::load(files.configPath());
    EXPECT_EQ(written.value(QStringLiteral("LanguageSelect"), QStringLiteral("ID")), QStringLiteral("-5"));
    EXPECT_EQ(written.value(QStringLiteral("SettingComm"), QStringLiteral("com")), QStringLiteral("7"));
    EXPECT_EQ(readFile(files.configPath()).count("[SettingComm]"), 1);
}

TEST(SettingsFiles, LoadNamesFillsEveryUsedEntry) {
    TempHome home;
    const SettingsFiles files(home.path());

    // Without Config_name.ini every used entry holds the default marker.
    NameTables names;
    files.loadNames(names);
    for (const TableSections& t : kSections)
        for (int i = 0; i < t.used; ++i)
            EXPECT_EQ(names.stored(t.table, i), kMarker) << section(t, i).toStdString();

    const QString longName = QString(259, u'名') + QStringLiteral("TAIL-CUT-OFF").repeated(4);
    ASSERT_GT(longName.size(), 300);
    const QByteArray longLine = "[Power0]\nname=" + longName.toUtf8() + '\n';
    writeFile(files.namePath(),
              "[zoneunit7]\nNAME=Hall A\n" + longLine + "[Matrix2]\nname=\n[Source5]\nname=*#DEFAULT#*\n");
    NameTables loaded;
    files.loadNames(loaded);
    EXPECT_EQ(loaded.stored(NameTable::Zones, 7), u"Hall A");
    EXPECT_EQ(loaded.stored(NameTable::Power, 0), QString(259, u'名'));
    EXPECT_EQ(loaded.stored(NameTable::Outputs, 2), kMarker); // an empty name counts as missing
    EXPECT_EQ(loaded.stored(NameTable::Inputs, 5), u"*#DEFAULT#*");
    EXPECT_EQ(loaded.stored(NameTable::Zones, 6), kMarker);

    // readName leaves the stored name alone when the file has nothing for it.
    NameTables edited;
    edited.setStored(NameTable::Outputs, 2, QStringLiteral("kept"));
    edited.setStored(NameTable::Outputs, 3, QStringLiteral("kept too"));
    files.readName(edited, NameTable::Outputs, 2);
    files.readName(edited, NameTable::Outputs, 3);
    files.readName(edited, NameTable::Zones, 7);
    EXPECT_EQ(edited.stored(NameTable::Outputs, 2), u"kept");
    EXPECT_EQ(edited.stored(NameTable::Outputs, 3), u"kept too");
    EXPECT_EQ(edited.stored(NameTable::Zones, 7), u"Hall A");

    // Chinese names saved by an old Windows desktop in GB18030 load unchanged.
    writeFile(files.namePath(), readFile(dataPath(QStringLiteral("ini-gb18030.ini"))));
    NameTables chinese;
    files.loadNames(chinese);
    EXPECT_EQ(chinese.stored(NameTable::Zones, 3), u"会议室");
    EXPECT_EQ(chinese.stored(NameTable::Inputs, 0), u"𠮷祥背景音乐");
    EXPECT_EQ(chinese.stored(NameTable::Zones, 4), kMarker);
}

TEST(SettingsFiles, SaveAllSettingsWritesEverySectionAndThePort) {
    TempHome home;
    const SettingsFiles files(home.path());
    writeFile(files.configPath(), "; kept comment\n[SettingComm]\ncom=2\ndevice=/dev/ttyUSB%d\n");
    NameTables names;
    files.loadNames(names);
    names.setStored(NameTable::Zones, 0, QStringLiteral("Hall"));
    names.setStored(NameTable::Power, 36, QStringLiteral("总电源"));
    names.setStored(NameTable::Inputs, 5, QString()); // an empty name entered during the run

    const SettingsSaveResult saved = files.saveAll({1, 1, 4, 2}, names);
    EXPECT_TRUE(saved.ok()) << saved.config.error.toStdString() << saved.names.error.toStdString();

    const IniFile config = IniFile::load(files.configPath());
    EXPECT_EQ(config.value(QStringLiteral("SettingSysType"), QStringLiteral("type")), QStringLiteral("1"));
    EXPECT_EQ(config.value(QStringLiteral("LanguageSelect"), QStringLiteral("ID")), QStringLiteral("1"));
    EXPECT_EQ(config.value(QStringLiteral("SettingComm"), QStringLiteral("com")), QStringLiteral("4")); // open port
    EXPECT_EQ(config.value(QStringLiteral("SettingComm"), QStringLiteral("device")), QStringLiteral("/dev/ttyUSB%d"));
    EXPECT_TRUE(readFile(files.configPath()).startsWith("; kept comment\n"));

    const IniFile nameFile = IniFile::load(files.namePath());
    for (const TableSections& t : kSections) {
        for (int i = 0; i < t.used; ++i)
            EXPECT_EQ(nameFile.value(section(t, i), QStringLiteral("name")), names.stored(t.table, i))
                << section(t, i).toStdString();
        EXPECT_EQ(nameFile.value(section(t, t.used), QStringLiteral("name")), std::nullopt)
            << "unused " << section(t, t.used).toStdString();
    }
    EXPECT_EQ(nameFile.value(QStringLiteral("ZoneUnit1"), QStringLiteral("name")), kMarker);

    // Everything reads back as it was saved; the empty name falls back to the marker.
    NameTables reloaded;
    files.loadNames(reloaded);
    EXPECT_EQ(reloaded.stored(NameTable::Zones, 0), u"Hall");
    EXPECT_EQ(reloaded.stored(NameTable::Power, 36), u"总电源");
    EXPECT_EQ(reloaded.stored(NameTable::Inputs, 5), kMarker);

    // No port open: the configured port is written, so it is not lost.
    EXPECT_TRUE(files.saveAll({1, 2, 0, 2}, names).ok());
    EXPECT_EQ(files.readSetting(QStringLiteral("SettingComm"), QStringLiteral("com")).value, 2);
    EXPECT_EQ(files.readSetting(QStringLiteral("LanguageSelect"), QStringLiteral("ID")).value, 2);
    EXPECT_EQ(filesIn(home.path()), QStringList({QStringLiteral("Config.ini"), QStringLiteral("Config_name.ini")}));
}

TEST(SettingsFiles, SaveAllSettingsReportsFailuresAndKeepsOldFiles) {
    TempHome home;
    NameTables names;
    SettingsFiles(home.path()).loadNames(names);

    // A program folder that cannot exist: its parent is a regular file.
    writeFile(home.file(QStringLiteral("plain-file")), "x");
    const SettingsFiles nowhere(home.file(QStringLiteral("plain-file")) + u'/');
    const SettingsSaveResult failed = nowhere.saveAll({}, names);
    EXPECT_FALSE(failed.ok());
    EXPECT_FALSE(failed.config.ok);
    EXPECT_FALSE(failed.names.ok);
    EXPECT_TRUE(failed.config.error.contains(nowhere.configPath())) << failed.config.error.toStdString();
    EXPECT_TRUE(failed.names.error.contains(nowhere.namePath())) << failed.names.error.toStdString();

    // A write that runs out of room (here: the file-size limit) leaves the existing files byte for byte.
    const SettingsFiles files(home.path());
    const QByteArray oldConfig = "[LanguageSelect]\r\nID=1\r\n";
    const QByteArray oldNames = "[Zone0]\r\nname=Old\r\n";
    writeFile(files.configPath(), oldConfig);
    writeFile(files.namePath(), oldNames);
    SettingsSaveResult full;
    {
        FileSizeLimit limit(8);
        ASSERT_TRUE(limit.ok());
        full = files.saveAll({1, 2, 3, 0}, names);
    }
    EXPECT_FALSE(full.config.ok);
    EXPECT_FALSE(full.names.ok);
    EXPECT_TRUE(full.config.error.contains(files.configPath())) << full.config.error.toStdString();
    EXPECT_TRUE(full.names.error.contains(files.namePath())) << full.names.error.toStdString();
    EXPECT_EQ(readFile(files.configPath()), oldConfig);
    EXPECT_EQ(readFile(files.namePath()), oldNames);
    EXPECT_EQ(filesIn(home.path()), QStringList({QStringLiteral("Config.ini"), QStringLiteral("Config_name.ini"),
                                                 QStringLiteral("plain-file")}));
}

// Values are looked up every second: a read copy serves them until the file changes in any way, and anything
// but a regular file of settings size reads as empty with its reason, without waiting or reading it.
TEST(SettingsFiles, AChangedFileIsReadAgainAndOneThatCannotBeTakenReadsAsEmpty) {
    const TempHome home;
    const SettingsFiles settings(home.path());
    const QString config = home.file(QStringLiteral("Config.ini"));
    EXPECT_FALSE(settings.readSetting(QStringLiteral("SettingComm"), QStringLiteral("com")).present);
    writeFile(config, "[SettingComm]\ncom=3\n");
    EXPECT_EQ(settings.readSetting(QStringLiteral("SettingComm"), QStringLiteral("com")).value, 3);
    // Written in place, same size: still seen.
    {
        QFile f(config);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        f.seek(18);
        f.write("4");
    }
    EXPECT_EQ(settings.readSetting(QStringLiteral("SettingComm"), QStringLiteral("com")).value, 4);
    // The program's own write is seen by the next read.
    ASSERT_TRUE(settings.writeSetting(QStringLiteral("SettingComm"), QStringLiteral("com"), 5).ok);
    EXPECT_EQ(settings.readSetting(QStringLiteral("SettingComm"), QStringLiteral("com")).value, 5);
    EXPECT_TRUE(settings.configStatus().ok());

    // A FIFO, a link to an endless device, a file larger than any settings file.
    QFile::remove(config);
    ASSERT_EQ(::mkfifo(QFile::encodeName(config).constData(), 0600), 0);
    EXPECT_FALSE(settings.readSetting(QStringLiteral("SettingComm"), QStringLiteral("com")).present);
    EXPECT_EQ(settings.configStatus().failure, ReadFailure::NotRegular);
    QFile::remove(config);
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), config));
    EXPECT_FALSE(settings.readSetting(QStringLiteral("SettingComm"), QStringLiteral("com")).present);
    EXPECT_EQ(settings.configStatus().failure, ReadFailure::NotRegular);
    QFile::remove(config);
    {
        QFile f(config);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("[SettingComm]\ncom=6\n");
        ASSERT_TRUE(f.resize(kMaxSettingsFileBytes + 1));
    }
    EXPECT_FALSE(settings.readSetting(QStringLiteral("SettingComm"), QStringLiteral("com")).present);
    EXPECT_EQ(settings.configStatus().failure, ReadFailure::TooLarge);
    EXPECT_TRUE(settings.configStatus().error.contains(QStringLiteral("Config.ini")));
    // Saving replaces what was refused with a file of our own.
    ASSERT_TRUE(settings.writeSetting(QStringLiteral("SettingComm"), QStringLiteral("com"), 7).ok);
    EXPECT_EQ(settings.readSetting(QStringLiteral("SettingComm"), QStringLiteral("com")).value, 7);
}

TEST(HomeLock, OneProgramHoldsAHomeAndALockWhoseProgramHasEndedIsTakenOver) {
    const TempHome home;
    {
        HomeLock first(home.path());
        ASSERT_TRUE(first.tryLock());
        HomeLock second(home.path());
        EXPECT_FALSE(second.tryLock());
        EXPECT_TRUE(second.heldByAnother());
        EXPECT_TRUE(second.error().contains(QString::number(::getpid()))) << second.error().toStdString();
    }
    // Released at the end of the first: free again.
    {
        HomeLock again(home.path());
        EXPECT_TRUE(again.tryLock());
    }
    // A program that ends without releasing it (killed, a power cut) leaves the lock file behind.
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        auto* lock = new HomeLock(home.path()); // never destroyed: the lock file stays
        ::_exit(lock->tryLock() ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    ASSERT_TRUE(QFileInfo::exists(HomeLock::lockPath(home.path())));
    HomeLock after(home.path());
    EXPECT_TRUE(after.tryLock());
}

TEST(NameTables, DefaultNamesFollowTheLanguage) {
    TempHome home;
    const SettingsFiles files(home.path());
    writeFile(files.namePath(), "[Power4]\nname=*#default#*\n");
    NameTables names;
    files.loadNames(names);
    TextTable texts;

    texts.loadEnglish();
    names.computeDisplayNames(texts);
    const std::tuple<NameTable, int, const char16_t*> english[] = {
        {NameTable::ZoneGroups, 0, u"LocalGroup"}, {NameTable::ZoneGroups, 1, u"Ext.Group2"},
        {NameTable::ZoneGroups, 8, u"Ext.Group9"}, {NameTable::Zones, 0, u"LocalZone1"},
        {NameTable::Zones, 7, u"LocalZone8"},      {NameTable::Zones, 8, u"Ext.Zone1-1"},
        {NameTable::Zones, 23, u"Ext.Zone1-16"},   {NameTable::Zones, 24, u"Ext.Zone2-1"},
        {NameTable::Zones, 39, u"Ext.Zone2-16"},   {NameTable::Power, 0, u"LocalPower1"},
        {NameTable::Power, 3, u"LocalPower4"},     {NameTable::Power, 4, u"Syn.Power"},
        {NameTable::Power, 5, u"Ext.Power1-1"},    {NameTable::Power, 20, u"Ext.Power1-16"},
        {NameTable::Power, 21, u"Ext.Power2-1"},   {NameTable::Power, 36, u"Ext.Power2-16"},
        {NameTable::Outputs, 0, u"Output1"},       {NameTable::Outputs, 63, u"Output64"},
        {NameTable::Inputs, 0, u"Input1"},         {NameTable::Inputs, 5, u"Input6"},
    };
    for (const auto& [table, index, expected] : english) {
        EXPECT_EQ(names.display(table, index).toStdString(), QString::fromUtf16(expected).toStdString());
        EXPECT_EQ(NameTables::defaultDisplayName(table, index, texts), QString::fromUtf16(expected));
    }

    // The same names in Chinese after a language switch, without reloading the names.
    texts.loadChinese();
    names.computeDisplayNames(texts);
    const std::tuple<NameTable, int, const char16_t*> chinese[] = {
        {NameTable::ZoneGroups, 0, u"主机分区组"}, {NameTable::ZoneGroups, 1, u"扩展分区组2"},
        {NameTable::Zones, 0, u"主机分区1"},       {NameTable::Zones, 8, u"扩展分区1-1"},
        {NameTable::Zones, 39, u"扩展分区2-16"},   {NameTable::Power, 0, u"主机电源1"},
        {NameTable::Power, 4, u"短路输出"},        {NameTable::Power, 36, u"外控电源2-16"},
        {NameTable::Outputs, 63, u"输出64"},       {NameTable::Inputs, 5, u"输入6"},
    };
    for (const auto& [table, index, expected] : chinese)
        EXPECT_EQ(names.display(table, index).toStdString(), QString::fromUtf16(expected).toStdString());
}

TEST(NameTables, OtherStoredNamesShowAsTheyAre) {
    NameTables names;
    for (const TableSections& t : kSections)
        for (int i = 0; i < t.used; ++i)
            names.setStored(t.table, i, kMarker);
    names.setStored(NameTable::Zones, 3, QStringLiteral("Hall"));
    names.setStored(NameTable::Zones, 4, QString());
    names.setStored(NameTable::Power, 4, QStringLiteral("*#DEFAULT#*"));
    names.setStored(NameTable::Inputs, 0, QStringLiteral(" *#default#*"));
    names.setStored(NameTable::Outputs, 1, QStringLiteral("LocalPower1")); // a default text the user kept

    TextTable texts;
    for (bool english : {true, false}) {
        english ? texts.loadEnglish() : texts.loadChinese();
        names.computeDisplayNames(texts);
        EXPECT_EQ(names.display(NameTable::Zones, 3), u"Hall");
        EXPECT_EQ(names.display(NameTable::Zones, 4), QString());
        EXPECT_EQ(names.display(NameTable::Power, 4), u"*#DEFAULT#*");
        EXPECT_EQ(names.display(NameTable::Inputs, 0), u" *#default#*");
        EXPECT_EQ(names.display(NameTable::Outputs, 1), u"LocalPower1");
    }

    // Display names are derived: setting the marker back brings the default text back.
    names.setStored(NameTable::Zones, 3, kMarker);
    names.computeDisplayNames(texts);
    EXPECT_EQ(names.display(NameTable::Zones, 3), u"主机分区4");
}

TEST(HomeFolder, CommandLineBeatsEnvironmentBeatsExecutableFolder) {
    TempHome base;
    const QString exe = base.file(QStringLiteral("exe"));
    const QString env = base.file(QStringLiteral("env"));
    const QString cli = base.file(QStringLiteral("cli/nested"));
    ASSERT_TRUE(QDir().mkpath(exe));

    HomeFolderChoice c = resolveProgramFolder(cli, env, exe);
    EXPECT_EQ(c.folder, cli + u'/');
    EXPECT_TRUE(c.error.isEmpty()) << c.error.toStdString();
    EXPECT_TRUE(QFileInfo(cli).isDir()); // a missing folder named explicitly is created

    c = resolveProgramFolder(cli + u'/', env, exe);
    EXPECT_EQ(c.folder, cli + u'/'); // exactly one trailing slash

    c = resolveProgramFolder(std::nullopt, env, exe);
    EXPECT_EQ(c.folder, env + u'/');
    EXPECT_TRUE(QFileInfo(env).isDir());

    c = resolveProgramFolder(std::nullopt, QString(), exe);
    EXPECT_EQ(c.folder, exe + u'/');
    EXPECT_TRUE(c.error.isEmpty());

    // Unusable explicit folders are reported, never silently replaced.
    c = resolveProgramFolder(QString(), env, exe);
    EXPECT_FALSE(c.error.isEmpty());
    writeFile(base.file(QStringLiteral("plain-file")), "x");
    c = resolveProgramFolder(base.file(QStringLiteral("plain-file/sub")), env, exe);
    EXPECT_FALSE(c.error.isEmpty());
    c = resolveProgramFolder(std::nullopt, base.file(QStringLiteral("plain-file")), exe);
    EXPECT_FALSE(c.error.isEmpty());
}

// Installed under a prefix (as the Debian package installs it), the program keeps its data per user even when it
// runs as root and could write into PREFIX/bin; a folder that merely is called bin still serves as home.
TEST(HomeFolder, InstalledProgramKeepsItsDataPerUser) {
    TempHome base;
    const QString bin = base.file(QStringLiteral("usr/bin"));
    ASSERT_TRUE(QDir().mkpath(bin));
    ASSERT_TRUE(QFileInfo(bin).isWritable());
    EXPECT_EQ(resolveProgramFolder(std::nullopt, QString(), bin).folder, bin + u'/');

    ASSERT_TRUE(QDir().mkpath(base.file(QStringLiteral("usr/share/applications"))));
    writeFile(base.file(QStringLiteral("usr/share/applications/quorvan.desktop")), "[Desktop Entry]\n");
    const QByteArray oldDataHome = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", base.file(QStringLiteral("data-home")).toUtf8()); // not the real home's data
    const QString perUser = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    HomeFolderChoice c = resolveProgramFolder(std::nullopt, QString(), bin);
    EXPECT_EQ(c.folder, QDir::cleanPath(perUser) + u'/');
    EXPECT_TRUE(c.error.isEmpty());
    EXPECT_TRUE(QFileInfo(perUser).isDir());
    // The explicit choices still come first.
    EXPECT_EQ(resolveProgramFolder(std::nullopt, base.file(QStringLiteral("env")), bin).folder,
              base.file(QStringLiteral("env")) + u'/');
    EXPECT_TRUE(perUser.startsWith(base.file(QStringLiteral("data-home/"))));
    if (oldDataHome.isNull())
        qunsetenv("XDG_DATA_HOME");
    else
        qputenv("XDG_DATA_HOME", oldDataHome);
}

// The manual of an installed program is its package's copy; a program run from its build finds the source tree's;
// the language chooses the page; nothing there, nothing found.
TEST(HomeFolder, TheManualIsTheInstalledCopyElseTheSourceTreesInTheLanguageAsked) {
    TempHome prefix, source;
    ASSERT_TRUE(QDir().mkpath(prefix.file(QStringLiteral("bin"))));
    const QString bin = prefix.file(QStringLiteral("bin"));
    for (const char* lang : {"en", "zh"}) {
        QDir().mkpath(source.file(QStringLiteral("docs/manual/%1").arg(QLatin1String(lang))));
        writeFile(source.file(QStringLiteral("docs/manual/%1/index.html").arg(QLatin1String(lang))), "<html>");
    }
    EXPECT_EQ(manualFile(bin, source.path(), QStringLiteral("zh")),
              QDir::cleanPath(source.file(QStringLiteral("docs/manual/zh/index.html"))));
    QDir().mkpath(prefix.file(QStringLiteral("share/doc/quorvan/manual/zh")));
    writeFile(prefix.file(QStringLiteral("share/doc/quorvan/manual/zh/index.html")), "<html>");
    EXPECT_EQ(manualFile(bin, source.path(), QStringLiteral("zh")),
              QDir::cleanPath(prefix.file(QStringLiteral("share/doc/quorvan/manual/zh/index.html"))));
    EXPECT_EQ(manualFile(bin, source.path(), QStringLiteral("en")),
              QDir::cleanPath(source.file(QStringLiteral("docs/manual/en/index.html"))))
        << "the installed copy lacks it";
    EXPECT_EQ(manualFile(bin, prefix.file(QStringLiteral("nowhere")), QStringLiteral("en")), QString());
}

} // namespace
} // namespace quorvan
