#include "CardFolders.h"

#include "core/files/ScheduleFile.h"
#include "core/schedule/ScheduleModel.h"
#include "core/storage/TransferPreview.h"
#include "core/texts/TextTable.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace quorvan;
using namespace quorvan::test;

namespace {

class TransferPreviewTest : public CardFolders {
protected:
    void SetUp() override {
        CardFolders::SetUp();
        texts.loadEnglish();
    }
    // A schedule of entries starting at the hours given.
    static QByteArray scheduleAt(std::initializer_list<int> hours) {
        ScheduleTable table;
        for (const int h : hours) {
            TimingEntry e = exampleEntry();
            e.startHour = std::uint8_t(h);
            table.entries.push_back(e);
        }
        return serializeTable(table);
    }
    QStringList verdicts(const TransferPreview& preview, TransferDirection direction) const {
        QStringList lines;
        for (const PreviewLine& line : preview.lines)
            lines << line.name + QStringLiteral(": ") + line.text(texts, direction);
        return lines;
    }
    TextTable texts;
};

} // namespace

// Every kind of line an import can show, read from both folders without writing to either; the card's names are
// matched in any letter case as the copy matches them.
TEST_F(TransferPreviewTest, SaysFileByFileWhatAnImportWouldChange) {
    writeFile(inData(QStringLiteral("SCH01.DAT")), scheduleAt({8, 9, 10}));
    writeFile(onCard(QStringLiteral("sch01.dat")), scheduleAt({8, 11, 10, 12})); // one changed, one added
    writeFile(inData(QStringLiteral("SCH02.DAT")), scheduleAt({8}));
    writeFile(onCard(QStringLiteral("SCH02.DAT")), scheduleAt({8}));
    writeFile(inData(QStringLiteral("SCH03.DAT")), scheduleAt({8})); // not on the card
    // SCH04.DAT in neither folder
    QByteArray damaged = scheduleAt({8});
    damaged[0] = 0;
    writeFile(onCard(QStringLiteral("REMOTE.DAT")), damaged);
    writeFile(inData(QStringLiteral("SDATE01.DAT")), "dates");
    writeFile(onCard(QStringLiteral("SDATE01.DAT")), "dates");
    writeFile(inData(QStringLiteral("SDATE02.DAT")), "dates");
    writeFile(onCard(QStringLiteral("SDATE02.DAT")), "other dates");
    writeFile(onCard(QStringLiteral("SDATE03.DAT")), "new dates");
    writeFile(home.file(QStringLiteral("elsewhere")), "not on the card");
    ASSERT_TRUE(QFile::link(home.file(QStringLiteral("elsewhere")), onCard(QStringLiteral("SDATE04.DAT"))));
    writeFile(inData(QStringLiteral("SDATE05.DAT")), "kept");
    const QStringList dataBefore = entriesOf(data()), cardBefore = entriesOf(card());

    const TransferPreview preview = previewTransfer(card(), data(), allNames(), documentList(texts));
    EXPECT_EQ(verdicts(preview, TransferDirection::Import).join(u'\n').toStdString(),
              (QStringList{
                   QStringLiteral("SCH01.DAT: 1 changed, 1 added"),
                   QStringLiteral("SCH02.DAT: the same"),
                   QStringLiteral("SCH03.DAT: not on the card — kept"),
                   QStringLiteral("SCH04.DAT: created empty"),
                   QStringLiteral("REMOTE.DAT: damaged on the card: header: format tag: is 0x5500, expected 0x55AA"),
                   QStringLiteral("SDATE01.DAT: the same"),
                   QStringLiteral("SDATE02.DAT: replaced"),
                   QStringLiteral("SDATE03.DAT: new"),
                   QStringLiteral("SDATE04.DAT: cannot be read: %1: is a symbolic link, which is not followed")
                       .arg(QDir::toNativeSeparators(onCard(QStringLiteral("SDATE04.DAT")))),
                   QStringLiteral("SDATE05.DAT: not on the card — kept"),
                   QStringLiteral("SDATE06.DAT: created empty"),
               })
                  .join(u'\n')
                  .toStdString());
    EXPECT_EQ(entriesOf(data()), dataBefore) << "a preview writes nothing";
    EXPECT_EQ(entriesOf(card()), cardBefore);

    // A document's line compares the target now with the card's file, found in any letter case.
    const PreviewLine& first = preview.lines[0];
    EXPECT_EQ(first.document, 0);
    ASSERT_TRUE(first.comparable());
    EXPECT_EQ(first.sourcePath, onCard(QStringLiteral("sch01.dat")));
    EXPECT_EQ(first.targetPath, inData(QStringLiteral("SCH01.DAT")));
    EXPECT_EQ(first.comparison.rows.size(), 4u) << "the card's added entry on a line of its own";
    EXPECT_TRUE(first.changesTarget());
    EXPECT_FALSE(preview.lines[1].changesTarget());
    EXPECT_FALSE(preview.lines[2].changesTarget());
    EXPECT_TRUE(preview.lines[4].comparable()) << "a damaged file still shows what it holds";
    EXPECT_FALSE(preview.lines[5].comparable()) << "not a document's file";
}

// An export asks first only when the card holds a file of the set that it would make other than it is; the
// wording names the data folder where an import names the card.
TEST_F(TransferPreviewTest, AnExportReplacesSomethingOnlyWhereTheCardHoldsAnotherVersion) {
    writeFile(inData(QStringLiteral("SCH01.DAT")), scheduleAt({8, 9}));
    writeFile(inData(QStringLiteral("SDATE01.DAT")), "dates");
    EXPECT_FALSE(previewTransfer(data(), card(), allNames(), documentList(texts)).replacesAny()) << "an empty card";

    writeFile(onCard(QStringLiteral("SCH01.DAT")), scheduleAt({8, 9}));
    writeFile(onCard(QStringLiteral("SDATE01.DAT")), "dates");
    writeFile(onCard(QStringLiteral("SCH02.DAT")), scheduleAt({7})); // the data folder lacks it: kept
    TransferPreview same = previewTransfer(data(), card(), allNames(), documentList(texts));
    EXPECT_FALSE(same.replacesAny()) << "only identical files and one the export keeps";
    EXPECT_EQ(same.lines[1].text(texts, TransferDirection::Export), QStringLiteral("not in the data folder — kept"));

    writeFile(onCard(QStringLiteral("SCH01.DAT")), scheduleAt({8}));
    const TransferPreview differs = previewTransfer(data(), card(), allNames(), documentList(texts));
    EXPECT_TRUE(differs.replacesAny());
    EXPECT_EQ(differs.lines[0].text(texts, TransferDirection::Export), QStringLiteral("1 added"));
}
