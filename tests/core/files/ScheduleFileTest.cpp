#include "TestSupport.h"

#include "core/files/ScheduleFile.h"
#include "core/schedule/ScheduleModel.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <cstring>
#include <functional>
#include <vector>

using namespace quorvan;
using namespace quorvan::test;

namespace {

std::uint32_t u32At(const QByteArray& b, int at) {
    std::uint32_t v;
    std::memcpy(&v, b.constData() + at, 4);
    return v;
}

TimingEntry entryWithSongs(int songs, bool onCard, const QString& stem) {
    TimingEntry e{};
    e.used = 1;
    e.weekdays = 0x41;
    e.startHour = 23;
    e.startMinute = 59;
    e.startSecond = 58;
    e.endHour = 1;
    e.endMinute = 2;
    e.endSecond = 3;
    for (int w = 0; w < 9; ++w) {
        e.powerMask[w] = 0x01010101u * std::uint32_t(w + 1);
        e.zoneMask[w] = 0x10203040u + std::uint32_t(w);
    }
    e.sourceMask = 0x1FFFFFFFu;
    e.mp3PlayMode = 1;
    e.mp3RepeatMode = 1;
    e.fmFrequency = 10800;
    for (int k = 0; k < 8; ++k) {
        e.dvdTracks[k] = {std::uint16_t(90 + k), std::uint8_t(k % 3), 0};
        e.extMp3Tracks[k] = {std::uint16_t(249 + k), std::uint8_t(2 - k % 3), 0};
        e.extRadioPresets[k] = std::uint16_t(23 + k);
    }
    e.playlistOnCard = onCard;
    for (int j = 0; j < songs; ++j)
        e.playlist << stem + QString::number(j) + QStringLiteral(".mp3");
    return e;
}

} // namespace

TEST(ScheduleFile, EmptyScheduleIsTheBareHeader) {
    auto table = zeroTable();
    const QByteArray bytes = serializeTable(*table);
    ASSERT_EQ(bytes.size(), 4104);
    EXPECT_EQ(bytes.first(8), QByteArray::fromHex("AA55010000000000"));
    EXPECT_EQ(bytes.count('\0'), 4104 - 3);
}

TEST(ScheduleFile, OneEntryExampleIsByteExactBothWays) {
    TempHome home;
    auto table = zeroTable();
    appendEntry(*table, exampleEntry());
    ASSERT_TRUE(saveTable(home.path(), QStringLiteral("SCH02.DAT"), *table).ok);
    const QString path = home.file(QStringLiteral("zone_data/SCH02.DAT"));
    EXPECT_EQ(readFile(path), exampleFileBytes());

    auto loaded = zeroTable();
    EXPECT_EQ(loadTable(home.path(), QStringLiteral("SCH02.DAT"), *loaded), 1);
    TimingEntry expected = exampleEntry();
    EXPECT_TRUE(loaded->entries[0] == expected);
    EXPECT_EQ(loaded->entries[0].playlist.value(0), QStringLiteral("a.mp3"));
}

TEST(ScheduleFile, BlockSizesAndOffsetsFollowTheSongCounts) {
    auto table = zeroTable();
    appendEntry(*table, entryWithSongs(2, false, QStringLiteral("x")));
    appendEntry(*table, entryWithSongs(0, false, QStringLiteral("y")));
    appendEntry(*table, entryWithSongs(1, true, QStringLiteral("z")));
    const QByteArray b = serializeTable(*table);
    EXPECT_EQ(u32At(b, 8), 4104u);
    EXPECT_EQ(u32At(b, 12), 1424u);
    EXPECT_EQ(u32At(b, 16), 5528u);
    EXPECT_EQ(u32At(b, 20), 176u);
    EXPECT_EQ(u32At(b, 24), 5704u);
    EXPECT_EQ(u32At(b, 28), 800u);
    EXPECT_EQ(b.size(), 5704 + 800);
    EXPECT_EQ(b.mid(4104 + 176, 4), QByteArray::fromHex("443A5C00")); // internal storage
    EXPECT_EQ(b.mid(5704 + 176, 4), QByteArray::fromHex("453A5C00")); // SD card
    EXPECT_EQ(b.at(4104 + 10), 0);                                    // padding after the times
    EXPECT_EQ(b.at(4104 + 91), 0);                                    // padding after the track count
}

TEST(ScheduleFile, LargestTableWithChineseNamesRoundTrips) {
    TempHome home;
    auto table = zeroTable();
    for (int i = 0; i < kMaxEntries; ++i)
        appendEntry(*table, entryWithSongs(kMaxSongs, i % 2 == 0, QStringLiteral("上课铃声-%1-").arg(i)));
    const QString path = home.file(QStringLiteral("big.DAT"));
    ASSERT_TRUE(saveTableFile(path, *table).ok);
    EXPECT_EQ(QFileInfo(path).size(), 40783880);

    auto loaded = zeroTable();
    ASSERT_EQ(loadTableFile(path, *loaded), 256);
    EXPECT_TRUE(*loaded == *table);
    EXPECT_EQ(loaded->entries[255].playlist.value(254), QStringLiteral("上课铃声-255-254.mp3"));
}

TEST(ScheduleFile, LoadingReplacesEverythingThatWasInTheTable) {
    auto junk = zeroTable();
    for (int i = 0; i < 10; ++i)
        appendEntry(*junk, entryWithSongs(30, false, QStringLiteral("junk")));
    auto small = zeroTable();
    appendEntry(*small, entryWithSongs(1, true, QStringLiteral("s")));
    const QByteArray bytes = serializeTable(*small);

    EXPECT_EQ(parseTable(bytes.constData(), bytes.size(), *junk), 1);
    auto expected = zeroTable();
    parseTable(bytes.constData(), bytes.size(), *expected);
    EXPECT_TRUE(*junk == *expected);
    EXPECT_EQ(junk->entries[0].playlist, QStringList{QStringLiteral("s0.mp3")});
}

// A file that ends inside a play list, read from disk into a table full of other bytes: the songs past the end
// read as zeros, the same table as parsing the bytes in memory gives.
TEST(ScheduleFile, ShortFileOnDiskReadsLikeTheSameBytesInMemory) {
    TempHome home;
    auto source = zeroTable();
    appendEntry(*source, entryWithSongs(6, false, QStringLiteral("cut")));
    appendEntry(*source, entryWithSongs(3, false, QStringLiteral("gone")));
    const QByteArray bytes = serializeTable(*source).left(4104 + 176 + 624 * 2 + 102 + 2 * 2);
    const QString path = home.file(QStringLiteral("short.DAT"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    file.close();

    auto junk = zeroTable();
    for (int i = 0; i < 5; ++i)
        appendEntry(*junk, entryWithSongs(9, true, QStringLiteral("junk")));
    ASSERT_EQ(loadTableFile(path, *junk), 2);
    auto expected = zeroTable();
    ASSERT_EQ(parseTable(bytes.constData(), bytes.size(), *expected), 2);
    EXPECT_TRUE(*junk == *expected);
    EXPECT_EQ(junk->entries[0].playlist.value(2), QStringLiteral("cu"));
    EXPECT_EQ(junk->entries[0].playlist.value(3), QString());
    EXPECT_EQ(junk->entries[1].weekdays, 0u);
}

TEST(ScheduleFile, MalformedFilesLoadSafely) {
    auto table = zeroTable();
    auto good = zeroTable();
    for (int i = 0; i < 256; ++i)
        appendEntry(*good, entryWithSongs(0, false, {}));
    QByteArray full = serializeTable(*good);
    EXPECT_EQ(parseTable(full.constData(), full.size(), *table), 256);

    QByteArray tooMany = full;
    tooMany[4] = char(1);
    tooMany[5] = char(1); // N = 257
    EXPECT_EQ(parseTable(tooMany.constData(), tooMany.size(), *table), 0);
    EXPECT_EQ(table->count(), 0);

    QByteArray wrongTag = full;
    wrongTag[0] = char(0xAB);
    EXPECT_EQ(parseTable(wrongTag.constData(), wrongTag.size(), *table), 0);

    EXPECT_EQ(parseTable(nullptr, 0, *table), 0);
    EXPECT_EQ(loadTableFile(QStringLiteral("/nonexistent/SCH01.DAT"), *table), 0);
}

TEST(ScheduleFile, ShortFilesReadMissingBytesAsZero) {
    auto source = zeroTable();
    appendEntry(*source, entryWithSongs(2, true, QStringLiteral("cut")));
    const QByteArray bytes = serializeTable(*source);
    auto table = zeroTable();

    // Cut inside the second play-list record's name: the name keeps what is there.
    const int cutAt = 4104 + 176 + 624 + 102 + 2 * 3;
    ASSERT_EQ(parseTable(bytes.constData(), cutAt, *table), 1);
    EXPECT_EQ(table->entries[0].playlist.value(0), QStringLiteral("cut0.mp3"));
    EXPECT_EQ(table->entries[0].playlist.value(1), QStringLiteral("cut"));
    EXPECT_EQ(table->entries[0].playlist.size(), 2);

    // Cut inside the header: the entry's block lies outside the file and reads as zeros.
    ASSERT_EQ(parseTable(bytes.constData(), 16, *table), 1);
    EXPECT_EQ(table->entries[0].used, 1);
    EXPECT_EQ(table->entries[0].weekdays, 0u);
    EXPECT_EQ(table->entries[0].playlist.size(), 0);

    // A block offset far beyond the end of the file.
    QByteArray far = bytes;
    far[11] = char(0x7F);
    ASSERT_EQ(parseTable(far.constData(), far.size(), *table), 1);
    EXPECT_EQ(table->entries[0].sourceMask, 0u);
}

TEST(ScheduleFile, DrivePrefixAndUnterminatedNames) {
    auto source = zeroTable();
    appendEntry(*source, entryWithSongs(1, false, QStringLiteral("n")));
    QByteArray bytes = serializeTable(*source);
    const int record = 4104 + 176;
    auto table = zeroTable();

    bytes[record] = 'e';
    parseTable(bytes.constData(), bytes.size(), *table);
    EXPECT_TRUE(table->entries[0].playlistOnCard);
    bytes[record] = 'F';
    parseTable(bytes.constData(), bytes.size(), *table);
    EXPECT_FALSE(table->entries[0].playlistOnCard);

    // 261 units without a NUL: the name is cut at 260 units.
    for (int u = 0; u < 261; ++u) {
        bytes[record + 102 + 2 * u] = 'k';
        bytes[record + 103 + 2 * u] = 0;
    }
    parseTable(bytes.constData(), bytes.size(), *table);
    EXPECT_EQ(table->entries[0].playlist.value(0), QString(260, u'k'));
    // The same when the file ends inside the last unit, or just after it: the byte that is there is cut too.
    for (const int end : {record + 102 + 2 * 260 + 1, record + 102 + 2 * 260 + 2}) {
        parseTable(bytes.constData(), end, *table);
        EXPECT_EQ(table->entries[0].playlist.value(0), QString(260, u'k')) << end;
    }
}

TEST(ScheduleFile, UnusedSlotInsideTheCountLoadsAsUsedAndOtherwiseZero) {
    auto source = zeroTable();
    source->entries.resize(2);
    source->entries[1] = entryWithSongs(3, true, QStringLiteral("q"));
    const QByteArray bytes = serializeTable(*source);
    auto table = zeroTable();
    ASSERT_EQ(parseTable(bytes.constData(), bytes.size(), *table), 2);
    TimingEntry expected{};
    expected.used = 1;
    EXPECT_TRUE(table->entries[0] == expected);
    EXPECT_EQ(table->entries[1].playlist.size(), 3);
}

TEST(ScheduleFile, SongCountAboveTheFileLimitIsWrittenConsistently) {
    auto source = zeroTable();
    TimingEntry e = entryWithSongs(kMaxSongs, true, QStringLiteral("m"));
    e.playlist << QStringLiteral("extra.mp3"); // a 256th song
    appendEntry(*source, e);
    const QByteArray bytes = serializeTable(*source);
    EXPECT_EQ(bytes.size(), 4104 + 176 + 624 * 255);
    EXPECT_EQ(std::uint8_t(bytes.at(4104 + 90)), 255);
}

TEST(ScheduleFile, DataFolderIsCreatedOnDemand) {
    TempHome home;
    const QString folder = dataFolderPath(home.path());
    EXPECT_EQ(folder, home.path() + QStringLiteral("zone_data/"));
    EXPECT_TRUE(QFileInfo(folder).isDir());
    QDir(folder).removeRecursively();
    EXPECT_EQ(dataFilePath(home.path(), QStringLiteral("SCH01.DAT")), folder + QStringLiteral("SCH01.DAT"));
    EXPECT_TRUE(QFileInfo(folder).isDir());
}

TEST(ScheduleFile, FailedSavesReportTheReasonAndKeepTheOldFile) {
    TempHome home;
    auto table = zeroTable();
    appendEntry(*table, exampleEntry());

    // The parent of the target is a regular file.
    writeFile(home.file(QStringLiteral("plain")), "x");
    const SaveResult noFolder = saveTableFile(home.file(QStringLiteral("plain/SCH01.DAT")), *table);
    EXPECT_FALSE(noFolder.ok);
    EXPECT_TRUE(noFolder.error.contains(QStringLiteral("SCH01.DAT"))) << noFolder.error.toStdString();

    // A disk that fills up half-way through the file.
    const QString path = home.file(QStringLiteral("SCH01.DAT"));
    ASSERT_TRUE(saveTableFile(path, *table).ok);
    const QByteArray before = readFile(path);
    for (int i = 0; i < 40; ++i)
        appendEntry(*table, entryWithSongs(100, true, QStringLiteral("big")));
    SaveResult full;
    {
        FileSizeLimit limit(1 << 20);
        ASSERT_TRUE(limit.ok());
        full = saveTableFile(path, *table);
    }
    EXPECT_FALSE(full.ok);
    EXPECT_FALSE(full.error.isEmpty());
    EXPECT_EQ(readFile(path), before);
    EXPECT_EQ(QDir(home.path()).entryList(QDir::Files).size(), 2) << "no temporary file may be left behind";
}

// The count read from a file's first bytes is the one a full load gives, for every kind of file the loader meets.
TEST(ScheduleFile, TheCountFromTheHeaderIsTheLoadersCount) {
    TempHome home;
    auto three = zeroTable();
    for (int i = 0; i < 3; ++i)
        appendEntry(*three, entryWithSongs(2, true, QStringLiteral("c")));
    const QByteArray good = serializeTable(*three);
    QByteArray tooMany = good;
    tooMany[4] = char(1);
    tooMany[5] = char(1); // N = 257
    QByteArray wrongTag = good;
    wrongTag[1] = char(0x56);
    const std::vector<std::pair<const char*, QByteArray>> files = {{"good", good},
                                                                   {"cut after the count", good.left(6)},
                                                                   {"cut inside the count", good.left(5)},
                                                                   {"257 entries", tooMany},
                                                                   {"wrong tag", wrongTag},
                                                                   {"empty", QByteArray()}};
    for (const auto& [what, bytes] : files) {
        const QString path = home.file(QString::fromLatin1(what));
        writeFile(path, bytes);
        auto table = zeroTable();
        EXPECT_EQ(loadableEntryCount(path), loadTableFile(path, *table)) << what;
    }
    EXPECT_EQ(loadableEntryCount(home.file(QStringLiteral("good"))), 3);
    EXPECT_EQ(loadableEntryCount(home.file(QStringLiteral("cut after the count"))), 3);
    EXPECT_EQ(loadableEntryCount(home.file(QStringLiteral("missing"))), 0);
    ASSERT_TRUE(QFile::link(home.file(QStringLiteral("good")), home.file(QStringLiteral("link"))));
    EXPECT_EQ(loadableEntryCount(home.file(QStringLiteral("link"))), 0) << "a link is not followed";
}
