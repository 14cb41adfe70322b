#include "TestSupport.h"

#include "core/settings/IniFile.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace quorvan {
namespace {

using test::dataPath;
using test::readFile;
using test::TempHome;
using test::writeFile;

std::optional<QString> valueOf(const QByteArray& file, const char16_t* section, const char16_t* key) {
    return IniFile::fromBytes(file).value(QString::fromUtf16(section), QString::fromUtf16(key));
}

QByteArray utf16be(const QString& text) {
    QByteArray bytes("\xFE\xFF");
    for (QChar c : text) {
        bytes.append(char(c.unicode() >> 8));
        bytes.append(char(c.unicode() & 0xFF));
    }
    return bytes;
}

// Names that the encoding tests expect in the fixture files.
void expectChineseNames(const IniFile& p, const char* what) {
    SCOPED_TRACE(what);
    EXPECT_EQ(p.value(QStringLiteral("Zone0"), QStringLiteral("name")), QStringLiteral("主机分区组"));
    EXPECT_EQ(p.value(QStringLiteral("zoneunit3"), QStringLiteral("NAME")), QStringLiteral("会议室"));
    EXPECT_EQ(p.value(QStringLiteral("Power4"), QStringLiteral("name")), QStringLiteral("短路输出"));
    // A character outside the basic plane: four bytes in GB18030, a surrogate pair in UTF-16.
    EXPECT_EQ(p.value(QStringLiteral("Source0"), QStringLiteral("name")), QStringLiteral("𠮷祥背景音乐"));
    EXPECT_EQ(p.value(QStringLiteral("Source1"), QStringLiteral("name")), std::nullopt);
}

TEST(IniFile, FindsSectionsAndKeysInAnyCase) {
    const QByteArray file = "; settings\n"
                            "[Main]\n"
                            "; Hidden=comment\n"
                            "  Key =  spaced value  \n"
                            "quoted=\"  inner blanks  \"\n"
                            "single='x'\n"
                            "mismatched=\"abc'\n"
                            "lonequote=\"\n"
                            "url=a=b\n"
                            "empty=\n"
                            "KEY=second\n"
                            "no equals sign\n"
                            "[ Other ]\n"
                            "key=other section\n";

    EXPECT_EQ(valueOf(file, u"Main", u"Key"), QStringLiteral("spaced value"));
    EXPECT_EQ(valueOf(file, u"MAIN", u"key"), QStringLiteral("spaced value")); // the first of Key / KEY wins
    EXPECT_EQ(valueOf(file, u"main", u"QUOTED"), QStringLiteral("  inner blanks  "));
    EXPECT_EQ(valueOf(file, u"Main", u"single"), QStringLiteral("x"));
    EXPECT_EQ(valueOf(file, u"Main", u"mismatched"), QStringLiteral("\"abc'"));
    EXPECT_EQ(valueOf(file, u"Main", u"lonequote"), QStringLiteral("\""));
    EXPECT_EQ(valueOf(file, u"Main", u"url"), QStringLiteral("a=b"));
    EXPECT_EQ(valueOf(file, u"Main", u"empty"), QString()); // present but empty is not missing
    EXPECT_NE(valueOf(file, u"Main", u"empty"), std::nullopt);
    EXPECT_EQ(valueOf(file, u"other", u"Key"), QStringLiteral("other section"));

    // Missing sections and keys, comment lines and keys of another section are not found.
    EXPECT_EQ(valueOf(file, u"Missing", u"Key"), std::nullopt);
    EXPECT_EQ(valueOf(file, u"Main", u"missing"), std::nullopt);
    EXPECT_EQ(valueOf(file, u"Main", u"hidden"), std::nullopt);
    EXPECT_EQ(valueOf(file, u"Main", u"no equals sign"), std::nullopt);
    EXPECT_EQ(valueOf(file, u"Other", u"url"), std::nullopt);
    EXPECT_EQ(valueOf("", u"Main", u"Key"), std::nullopt);

    // A missing file reads as an empty one.
    TempHome home;
    EXPECT_EQ(IniFile::load(home.file(QStringLiteral("none.ini"))).value(QStringLiteral("Main"), QStringLiteral("Key")),
              std::nullopt);
}

TEST(IniFile, SetValueChangesOnlyWhatItMust) {
    const QByteArray original = "; written by hand\n"
                                "[A]\n"
                                "x=1\n"
                                "; note about A\n"
                                "  odd line kept as is\n"
                                "\n"
                                "[B]\n"
                                "y=2\n";
    IniFile p = IniFile::fromBytes(original);
    p.setValue(QStringLiteral("A"), QStringLiteral("x"), QStringLiteral("5"));   // replaced in place
    p.setValue(QStringLiteral("A"), QStringLiteral("z"), QStringLiteral("3"));   // end of [A], before [B]
    p.setValue(QStringLiteral("C"), QStringLiteral("k"), QStringLiteral("v w")); // new section at the end
    EXPECT_EQ(p.toBytes(), QByteArray("; written by hand\n"
                                      "[A]\n"
                                      "x=5\n"
                                      "; note about A\n"
                                      "  odd line kept as is\n"
                                      "z=3\n"
                                      "\n"
                                      "[B]\n"
                                      "y=2\n"
                                      "[C]\n"
                                      "k=v w\n"));

    // Setting a key in another letter case replaces it instead of adding a second line.
    p.setValue(QStringLiteral("b"), QStringLiteral("Y"), QStringLiteral("9"));
    const IniFile reread = IniFile::fromBytes(p.toBytes());
    EXPECT_EQ(reread.value(QStringLiteral("B"), QStringLiteral("y")), QStringLiteral("9"));
    EXPECT_EQ(p.toBytes().count("y=") + p.toBytes().count("Y="), 1);

    // A file without a final line break gets its new key on a line of its own.
    IniFile unterminated = IniFile::fromBytes("[A]\nx=1");
    unterminated.setValue(QStringLiteral("A"), QStringLiteral("y"), QStringLiteral("2"));
    EXPECT_EQ(unterminated.toBytes(), QByteArray("[A]\nx=1\ny=2\n"));

    // An empty profile becomes a file of its own.
    IniFile fresh;
    fresh.setValue(QStringLiteral("SettingComm"), QStringLiteral("com"), QStringLiteral("3"));
    EXPECT_EQ(fresh.toBytes(), QByteArray("[SettingComm]\ncom=3\n"));
}

TEST(IniFile, KeepsWindowsLineBreaksAndNeverWritesInjectedLines) {
    IniFile crlf = IniFile::fromBytes("[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\n");
    crlf.setValue(QStringLiteral("A"), QStringLiteral("z"), QStringLiteral("3"));
    crlf.setValue(QStringLiteral("C"), QStringLiteral("w"), QStringLiteral("4"));
    EXPECT_EQ(crlf.toBytes(), QByteArray("[A]\r\nx=1\r\nz=3\r\n\r\n[B]\r\ny=2\r\n[C]\r\nw=4\r\n"));

    // Line breaks in a value, key or section name must not create lines of their own.
    IniFile p = IniFile::fromBytes("[A]\r\nx=1\r\n");
    p.setValue(QStringLiteral("A"), QStringLiteral("x"), QStringLiteral("1\r\n[Evil]\r\ninjected=1"));
    p.setValue(QStringLiteral("A"), QStringLiteral("name"), QStringLiteral("a\nb=c\rd=e"));
    p.setValue(QStringLiteral("A"), QStringLiteral("k\nsneaky"), QStringLiteral("v"));
    p.setValue(QStringLiteral("S\n[T]\nt"), QStringLiteral("u"), QStringLiteral("v"));
    const QByteArray bytes = p.toBytes();
    const IniFile reread = IniFile::fromBytes(bytes);
    EXPECT_EQ(reread.value(QStringLiteral("Evil"), QStringLiteral("injected")), std::nullopt);
    EXPECT_EQ(reread.value(QStringLiteral("A"), QStringLiteral("b")), std::nullopt);
    EXPECT_EQ(reread.value(QStringLiteral("A"), QStringLiteral("d")), std::nullopt);
    EXPECT_EQ(reread.value(QStringLiteral("A"), QStringLiteral("sneaky")), std::nullopt);
    EXPECT_EQ(reread.value(QStringLiteral("T"), QStringLiteral("u")), std::nullopt);
    EXPECT_EQ(reread.value(QStringLiteral("A"), QStringLiteral("x")), QStringLiteral("1  [Evil]  injected=1"));
    EXPECT_EQ(reread.value(QStringLiteral("A"), QStringLiteral("name")), QStringLiteral("a b=c d=e"));
    // Every line still ends with CR LF: no bare line feed or carriage return slipped in.
    EXPECT_EQ(bytes.count('\n'), bytes.count("\r\n"));
    EXPECT_EQ(bytes.count('\r'), bytes.count("\r\n"));
}

TEST(IniFile, ReadsTheEncodingsWindowsEditorsWrite) {
    const QString text = QStringLiteral("[Zone0]\r\nname=主机分区组\r\n[ZoneUnit3]\r\nname=会议室\r\n"
                                        "[Power4]\r\nname=短路输出\r\n[Source0]\r\nname=𠮷祥背景音乐\r\n");

    // The byte-order mark sits right before the first section header; it must not hide it.
    expectChineseNames(IniFile::fromBytes(text.toUtf8()), "UTF-8");
    expectChineseNames(IniFile::fromBytes("\xEF\xBB\xBF" + text.toUtf8()), "UTF-8 with BOM");
    expectChineseNames(IniFile::fromBytes(utf16be(text)), "UTF-16BE with BOM");
    expectChineseNames(IniFile::load(dataPath(QStringLiteral("ini-utf16le-bom.ini"))), "UTF-16LE with BOM");
    const IniFile gb = IniFile::load(dataPath(QStringLiteral("ini-gb18030.ini")));
    expectChineseNames(gb, "GB18030");

    // Whatever was read, the names come back unchanged after a change is written.
    for (const char* fixture : {"ini-gb18030.ini", "ini-utf16le-bom.ini"}) {
        IniFile p = IniFile::load(dataPath(QString::fromLatin1(fixture)));
        p.setValue(QStringLiteral("ZoneUnit4"), QStringLiteral("name"), QStringLiteral("操场"));
        const QByteArray written = p.toBytes();
        EXPECT_TRUE(written.startsWith("; names")) << fixture; // the comment survives, without a BOM copy
        expectChineseNames(IniFile::fromBytes(written), fixture);
        EXPECT_EQ(IniFile::fromBytes(written).value(QStringLiteral("ZoneUnit4"), QStringLiteral("name")),
                  QStringLiteral("操场"))
            << fixture;
    }
}

TEST(IniFile, SaveReplacesTheFileWholeOrNotAtAll) {
    TempHome home;
    IniFile p;
    p.setValue(QStringLiteral("LanguageSelect"), QStringLiteral("ID"), QStringLiteral("1"));

    // A first save creates the file.
    const QString path = home.file(QStringLiteral("Config.ini"));
    const SaveResult created = p.save(path);
    EXPECT_TRUE(created.ok) << created.error.toStdString();
    EXPECT_EQ(readFile(path), p.toBytes());

    // A save over a longer existing file leaves exactly the new content.
    writeFile(path, QByteArray(4096, 'x'));
    const SaveResult replaced = p.save(path);
    EXPECT_TRUE(replaced.ok) << replaced.error.toStdString();
    EXPECT_EQ(readFile(path), p.toBytes());

    // The parent of the target is a regular file: the save fails, says why, and creates nothing.
    const QString blocker = home.file(QStringLiteral("plain-file"));
    writeFile(blocker, "not a folder");
    const QString impossible = blocker + QStringLiteral("/Config.ini");
    const SaveResult failed = p.save(impossible);
    EXPECT_FALSE(failed.ok);
    EXPECT_FALSE(bool(failed));
    EXPECT_FALSE(failed.error.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(impossible));
    EXPECT_EQ(readFile(blocker), QByteArray("not a folder"));

    // No temporary file is left behind by either outcome.
    EXPECT_EQ(QDir(home.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList({QStringLiteral("Config.ini"), QStringLiteral("plain-file")}));
}

} // namespace
} // namespace quorvan
