#include "CardFolders.h"

#include "core/files/ScheduleFile.h"
#include "core/schedule/ScheduleModel.h"
#include "core/storage/CardCheck.h"
#include "core/texts/TextTable.h"

#include <gtest/gtest.h>

using namespace quorvan;
using namespace quorvan::test;

namespace {

class CardCheck : public CardFolders {
protected:
    // Entry `index` of table plays songs from the card (or from the controller's own storage).
    static void setSongs(ScheduleTable& table, int index, const QStringList& songs, bool onCard = true) {
        if (table.count() <= index)
            table.entries.resize(std::size_t(index) + 1);
        TimingEntry& e = table.entries[std::size_t(index)];
        e = exampleEntry();
        e.playlistOnCard = onCard;
        e.playlist = songs;
    }
    void save(const QString& file, const ScheduleTable& table) { ASSERT_TRUE(saveTableFile(inData(file), table).ok); }
    void putOnCard(const QStringList& names) {
        for (const QString& name : names)
            writeFile(onCard(name), "ID3");
    }
};

std::vector<int> entries(std::initializer_list<int> numbers) {
    return numbers;
}

} // namespace

TEST_F(CardCheck, FindsEverySongTheCardLacksInAnyLetterCase) {
    auto one = zeroTable();
    setSongs(*one, 0, {QStringLiteral("Bell.MP3"), QStringLiteral("anthem.mp3")});
    setSongs(*one, 1, {QStringLiteral("news.mp3")});
    setSongs(*one, 2, {QStringLiteral("BELL.mp3"), QStringLiteral("bell.mp3"), QStringLiteral("上课.mp3")});
    setSongs(*one, 3, {QStringLiteral("internal.mp3")}, false); // from the controller's storage: not checked
    setSongs(*one, 4, {QStringLiteral("silent.mp3")});
    one->entries[4].sourceMask &= ~source::kHostMp3; // MP3 off: the list is not played
    save(QStringLiteral("SCH01.DAT"), *one);

    auto three = zeroTable();
    setSongs(*three, 6, {QStringLiteral("bell.mp3")});
    save(QStringLiteral("SCH03.DAT"), *three);

    auto remote = zeroTable();
    setSongs(*remote, 1, {QStringLiteral("Anthem.mp3")});
    save(QStringLiteral("REMOTE.DAT"), *remote);

    // The card holds "ANTHEM.MP3" and "上课.MP3" only (the FAT card shows the names as written).
    putOnCard({QStringLiteral("ANTHEM.MP3"), QStringLiteral("上课.MP3"), QStringLiteral("SCH01.DAT")});
    const QStringList files{QStringLiteral("SCH01.DAT"), QStringLiteral("SCH02.DAT"), QStringLiteral("SCH03.DAT"),
                            QStringLiteral("SCH04.DAT"), QStringLiteral("REMOTE.DAT")};
    const std::vector<MissingSong> missing = findMissingSongs(data(), card(), files);
    const std::vector<MissingSong> expected{
        {QStringLiteral("Bell.MP3"), QStringLiteral("SCH01.DAT"), entries({1, 3})},
        {QStringLiteral("bell.mp3"), QStringLiteral("SCH03.DAT"), entries({7})},
        {QStringLiteral("news.mp3"), QStringLiteral("SCH01.DAT"), entries({2})},
    };
    EXPECT_EQ(missing, expected);

    // The lines for the operator name each schedule by its caption; one song, one line.
    TextTable texts;
    texts.loadEnglish();
    const std::vector<DocumentInfo> documents = documentList(texts);
    const QStringList lines = missingSongLines(missing, documents, texts);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0], QStringLiteral("Bell.MP3 — ") + documents[0].caption + QStringLiteral(": 1, 3; ") +
                            documents[2].caption + QStringLiteral(": 7"));
    EXPECT_EQ(lines[1], QStringLiteral("news.mp3 — ") + documents[0].caption + QStringLiteral(": 2"));

    // With every song on the card nothing is missing.
    putOnCard({QStringLiteral("bell.mp3"), QStringLiteral("NEWS.mp3")});
    EXPECT_TRUE(findMissingSongs(data(), card(), files).empty());
}

TEST_F(CardCheck, AnEmptyOrAbsentCardLacksEverySongAndLongListsAreCut) {
    auto remote = zeroTable();
    for (int i = 0; i < kRemoteKeyCount; ++i)
        setSongs(*remote, i, {QStringLiteral("key%1.mp3").arg(i + 1, 2, 10, QLatin1Char('0'))});
    save(QStringLiteral("REMOTE.DAT"), *remote);

    const QStringList files{QStringLiteral("REMOTE.DAT"), QStringLiteral("SCH04.DAT")}; // SCH04 is not there
    for (const QString& folder : {card(), home.file(QStringLiteral("no-such-card"))}) {
        const std::vector<MissingSong> missing = findMissingSongs(data(), folder, files);
        ASSERT_EQ(missing.size(), std::size_t(kRemoteKeyCount));
        for (int i = 0; i < kRemoteKeyCount; ++i) {
            EXPECT_EQ(missing[i].file, QStringLiteral("REMOTE.DAT"));
            EXPECT_EQ(missing[i].entries, entries({i + 1}));
        }
    }

    TextTable texts;
    texts.loadChinese();
    const QStringList lines = missingSongLines(findMissingSongs(data(), card(), files), documentList(texts), texts, 10);
    ASSERT_EQ(lines.size(), 11);
    EXPECT_TRUE(lines[9].startsWith(QStringLiteral("key10.mp3 — "))) << lines[9].toStdString();
    EXPECT_EQ(lines[10], texts.text(TextId::MoreMissingSongs).arg(2));
    EXPECT_TRUE(lines[10].contains(u'2'));
}
