#include "TestSupport.h"

#include "core/files/ScheduleFile.h"
#include "core/schedule/ScheduleModel.h"
#include "core/texts/TextTable.h"

#include <QFileInfo>

#include <gtest/gtest.h>

using namespace quorvan;
using namespace quorvan::test;

namespace {

TimingEntry numbered(std::uint32_t n) {
    TimingEntry e{};
    e.used = 1;
    e.weekdays = n;
    return e;
}

} // namespace

TEST(ScheduleModel, StartsWithFiveDocumentsAndTheFirstLoaded) {
    TempHome home;
    auto table = zeroTable();
    appendEntry(*table, exampleEntry());
    ASSERT_TRUE(saveTable(home.path(), QStringLiteral("SCH01.DAT"), *table).ok);

    TextTable texts;
    texts.loadEnglish();
    ScheduleModel model(texts, home.path());
    ASSERT_EQ(model.documents().size(), 5u);
    const char16_t* files[] = {u"SCH01.DAT", u"SCH02.DAT", u"SCH03.DAT", u"SCH04.DAT", u"REMOTE.DAT"};
    const char16_t* captions[] = {u"Schedule1", u"Schedule2", u"Schedule3", u"Schedule4", u"Remote"};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(model.documents()[i].fileName, QString::fromUtf16(files[i]));
        EXPECT_EQ(model.documents()[i].caption, QString::fromUtf16(captions[i]));
        EXPECT_EQ(model.documents()[i].kind, i < 4 ? DocumentKind::NormalSchedule : DocumentKind::RemotePresets);
    }
    EXPECT_EQ(model.currentIndex(), 0);
    EXPECT_EQ(model.document().table().count(), 1);
    EXPECT_TRUE(QFileInfo(home.file(QStringLiteral("zone_data"))).isDir());

    // Another language: the captions change, the current document stays and is not read again.
    model.selectDocument(4);
    texts.loadChinese();
    int shown = 0;
    model.setPageHandOff([&](ScheduleDocument&) { ++shown; });
    model.retranslateDocumentList();
    EXPECT_EQ(model.current().fileName, QStringLiteral("REMOTE.DAT"));
    EXPECT_EQ(model.documents()[4].caption, QStringLiteral("遥控键列表"));
    EXPECT_EQ(model.document().info().caption, QStringLiteral("遥控键列表"));
    EXPECT_EQ(shown, 0);
}

TEST(ScheduleModel, RemoveMovesLaterEntriesUp) {
    auto table = zeroTable();
    for (std::uint32_t i = 1; i <= 3; ++i)
        appendEntry(*table, numbered(i));
    EXPECT_EQ(removeEntry(*table, 0), 1);
    EXPECT_EQ(table->count(), 2);
    EXPECT_EQ(table->entries[0].weekdays, 2u);
    EXPECT_EQ(table->entries[1].weekdays, 3u);

    EXPECT_EQ(removeEntry(*table, 1), 1); // the last one
    EXPECT_EQ(table->count(), 1);
    EXPECT_EQ(table->entries[0].weekdays, 2u);

    EXPECT_EQ(removeEntry(*table, 0), 1); // the only one
    EXPECT_EQ(table->count(), 0);

    EXPECT_EQ(removeEntry(*table, 256), 0);
    EXPECT_EQ(removeEntry(*table, unsigned(-1)), 0);
}

TEST(ScheduleModel, AppendAndReplaceRespectTheLimits) {
    auto table = zeroTable();
    for (std::uint32_t i = 0; i < 256; ++i)
        appendEntry(*table, numbered(i));
    EXPECT_EQ(table->count(), 256);
    appendEntry(*table, numbered(999));
    EXPECT_EQ(table->count(), 256);
    EXPECT_EQ(table->entries[255].weekdays, 255u);

    replaceEntry(*table, 10, numbered(77));
    EXPECT_EQ(table->entries[10].weekdays, 77u);
    auto small = zeroTable();
    appendEntry(*small, numbered(1));
    replaceEntry(*small, 1, numbered(5));
    replaceEntry(*small, -1, numbered(5));
    EXPECT_EQ(small->count(), 1);
    EXPECT_EQ(small->entries[0].weekdays, 1u);
}

TEST(ScheduleModel, RemoteKeysAlwaysHoldTwelveSlots) {
    TempHome home;
    auto presets = zeroTable();
    for (std::uint32_t i = 1; i <= 14; ++i)
        appendEntry(*presets, numbered(i));
    ASSERT_TRUE(saveTable(home.path(), QStringLiteral("REMOTE.DAT"), *presets).ok);

    TextTable texts;
    texts.loadEnglish();
    ScheduleModel model(texts, home.path());
    int handedCapacity = 0;
    model.setPageHandOff([&](ScheduleDocument& document) { handedCapacity = document.capacity(); });
    model.selectDocument(4);
    EXPECT_EQ(handedCapacity, 12);
    EXPECT_EQ(model.currentIndex(), 4);
    EXPECT_EQ(model.document().table().count(), 12);

    ASSERT_TRUE(model.saveCurrentDocument().ok);
    EXPECT_EQ(model.document().table().count(), 12);
    auto reread = zeroTable();
    EXPECT_EQ(loadTable(home.path(), QStringLiteral("REMOTE.DAT"), *reread), 12) << "the save drops the extras";

    // A file with three presets gives twelve slots, nine of them unset.
    auto three = zeroTable();
    for (std::uint32_t i = 1; i <= 3; ++i)
        appendEntry(*three, numbered(i));
    ASSERT_TRUE(saveTable(home.path(), QStringLiteral("REMOTE.DAT"), *three).ok);
    model.reloadCurrentDocument();
    EXPECT_EQ(model.document().table().count(), 12);
    EXPECT_EQ(model.document().table().entries[2].used, 1);
    for (int k = 3; k < 12; ++k)
        EXPECT_EQ(model.document().table().entries[k].used, 0) << k;
    ASSERT_TRUE(model.saveCurrentDocument().ok);
    EXPECT_EQ(QFileInfo(home.file(QStringLiteral("zone_data/REMOTE.DAT"))).size(), 4104 + 12 * 176);
}

TEST(ScheduleModel, SelectAndSaveWorkOnTheCurrentDocumentsFile) {
    TempHome home;
    TextTable texts;
    texts.loadEnglish();
    ScheduleModel model(texts, home.path());
    QString handedFile;
    model.setPageHandOff([&](ScheduleDocument& document) {
        handedFile = document.info().fileName;
        EXPECT_EQ(&document, &model.document());
        EXPECT_EQ(document.capacity(), 256);
    });
    model.selectDocument(1);
    EXPECT_EQ(handedFile, QStringLiteral("SCH02.DAT"));
    EXPECT_EQ(model.document().table().count(), 0);
    model.document().append(exampleEntry());
    ASSERT_TRUE(model.saveCurrentDocument().ok);
    EXPECT_EQ(readFile(home.file(QStringLiteral("zone_data/SCH02.DAT"))), exampleFileBytes());
    EXPECT_FALSE(QFileInfo::exists(home.file(QStringLiteral("zone_data/SCH01.DAT"))));

    model.selectDocument(0);
    EXPECT_EQ(model.document().table().count(), 0) << "selecting another document replaces the table";
    model.selectDocument(7); // not in the list: nothing changes
    EXPECT_EQ(model.currentIndex(), 0);
}

// A language switch shows the table the model holds while it is what the file holds; a file written by anyone
// else, or a save that failed (the table then holds a change the file lacks), makes it read the file again.
TEST(ScheduleModel, RefreshReadsTheFileOnlyWhenTheTableMayDifferFromIt) {
    TempHome home;
    TextTable texts;
    auto three = makeTable();
    for (int i = 0; i < 3; ++i)
        appendEntry(*three, exampleEntry());
    ASSERT_TRUE(saveTable(home.path(), QStringLiteral("SCH01.DAT"), *three).ok);
    ScheduleModel model(texts, home.path());
    int handed = 0;
    model.setPageHandOff([&](ScheduleDocument&) { ++handed; });
    ASSERT_EQ(model.document().table().count(), 3);

    // Unchanged file: shown from memory (a marker only the memory holds survives).
    TimingEntry marked = model.document().entry(0);
    marked.startSecond = 42;
    model.document().replace(0, marked);
    model.refreshCurrentDocument();
    EXPECT_EQ(handed, 1);
    EXPECT_EQ(model.document().table().entries[0].startSecond, 42);

    // Another program rewrote the file: read again.
    auto two = makeTable();
    for (int i = 0; i < 2; ++i)
        appendEntry(*two, exampleEntry());
    ASSERT_TRUE(saveTable(home.path(), QStringLiteral("SCH01.DAT"), *two).ok);
    model.refreshCurrentDocument();
    EXPECT_EQ(model.document().table().count(), 2);

    // A save that failed: the change is only in memory, so the unchanged file is read again and shown as it is.
    model.document().append(exampleEntry());
    {
        FileSizeLimit limit(1024); // the new file cannot be written; the old one stays as it is
        ASSERT_TRUE(limit.ok());
        EXPECT_FALSE(model.saveCurrentDocument().ok);
    }
    EXPECT_EQ(model.document().table().count(), 3);
    model.refreshCurrentDocument();
    EXPECT_EQ(model.document().table().count(), 2);
}
