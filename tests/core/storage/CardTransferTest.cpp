#include "CardFolders.h"

#include <gtest/gtest.h>

using namespace quorvan;
using namespace quorvan::test;

namespace {
class CardTransfer : public CardFolders {};
} // namespace

TEST_F(CardTransfer, TransferSetIsTheDocumentsThenTheSixSpecialDateFiles) {
    const QStringList names = allNames();
    ASSERT_EQ(names.size(), 11);
    EXPECT_EQ(names.mid(0, 5),
              (QStringList{QStringLiteral("SCH01.DAT"), QStringLiteral("SCH02.DAT"), QStringLiteral("SCH03.DAT"),
                           QStringLiteral("SCH04.DAT"), QStringLiteral("REMOTE.DAT")}));
    EXPECT_EQ(names.mid(5), (QStringList{QStringLiteral("SDATE01.DAT"), QStringLiteral("SDATE02.DAT"),
                                         QStringLiteral("SDATE03.DAT"), QStringLiteral("SDATE04.DAT"),
                                         QStringLiteral("SDATE05.DAT"), QStringLiteral("SDATE06.DAT")}));
}

TEST_F(CardTransfer, ADataFileSpelledInOtherCaseIsReplacedNotDoubled) {
    writeFile(inData(QStringLiteral("sch02.dat")), "old lower-case copy");
    writeFile(onCard(QStringLiteral("SCH02.DAT")), "from the card");
    const TransferReport outcome = importFiles(card(), data(), allNames());
    EXPECT_TRUE(outcome.anyCopied());
    EXPECT_TRUE(outcome.failed.isEmpty()) << outcome.failureLines().join(u'\n').toStdString();
    EXPECT_EQ(readFile(inData(QStringLiteral("SCH02.DAT"))), QByteArray("from the card"));
    EXPECT_FALSE(QFileInfo::exists(inData(QStringLiteral("sch02.dat"))));
    EXPECT_EQ(entriesOf(data()), sorted(allNames()));

    // An empty file created over a differently spelled one replaces it as well; onlyIfMissing keeps it.
    ASSERT_TRUE(QFile::remove(inData(QStringLiteral("SDATE01.DAT"))));
    writeFile(inData(QStringLiteral("Sdate01.dat")), "special dates");
    EXPECT_TRUE(createEmptyFile(data(), QStringLiteral("SDATE01.DAT"), true));
    EXPECT_EQ(readFile(inData(QStringLiteral("Sdate01.dat"))), QByteArray("special dates"));
    EXPECT_FALSE(QFileInfo::exists(inData(QStringLiteral("SDATE01.DAT"))));
    EXPECT_TRUE(createEmptyFile(data(), QStringLiteral("SDATE01.DAT"), false));
    EXPECT_EQ(sizeOf(inData(QStringLiteral("SDATE01.DAT"))), 0);
    EXPECT_FALSE(QFileInfo::exists(inData(QStringLiteral("Sdate01.dat"))));

    // Without onlyIfMissing an existing file is truncated.
    writeFile(inData(QStringLiteral("SDATE02.DAT")), "content");
    EXPECT_TRUE(createEmptyFile(data(), QStringLiteral("SDATE02.DAT"), false));
    EXPECT_EQ(sizeOf(inData(QStringLiteral("SDATE02.DAT"))), 0);
    EXPECT_EQ(entriesOf(data()), sorted(allNames()));
}

TEST_F(CardTransfer, CopyNamedFileChoosesAStableMatchAndReportsFailures) {
    // Two spellings on a case-sensitive disk: the first in binary order is taken, every time.
    writeFile(onCard(QStringLiteral("sch03.dat")), "lower");
    writeFile(onCard(QStringLiteral("SCH03.DAT")), "upper");
    writeFile(onCard(QStringLiteral("Sch03.Dat")), "mixed");
    QString error;
    EXPECT_EQ(copyNamedFile(card(), data(), QStringLiteral("SCH03.DAT"), &error), CopyResult::Copied)
        << error.toStdString();
    EXPECT_EQ(readFile(inData(QStringLiteral("SCH03.DAT"))), QByteArray("upper"));
    EXPECT_EQ(entriesOf(data()), QStringList{QStringLiteral("SCH03.DAT")});

    // A name that is only a folder, or absent, is not found.
    ASSERT_TRUE(QDir(card()).mkdir(QStringLiteral("SCH04.DAT")));
    error.clear();
    EXPECT_EQ(copyNamedFile(card(), data(), QStringLiteral("SCH04.DAT"), &error), CopyResult::NotFound);
    EXPECT_FALSE(error.isEmpty());
    error.clear();
    EXPECT_EQ(copyNamedFile(card(), data(), QStringLiteral("SDATE01.DAT"), &error), CopyResult::NotFound);
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(inData(QStringLiteral("SCH04.DAT"))));

    // A target that cannot be written: its "folder" is a regular file.
    writeFile(home.file(QStringLiteral("plain")), "x");
    error.clear();
    EXPECT_EQ(copyNamedFile(card(), home.file(QStringLiteral("plain")), QStringLiteral("SCH03.DAT"), &error),
              CopyResult::TargetFailed);
    EXPECT_TRUE(error.contains(QStringLiteral("SCH03.DAT"))) << error.toStdString();
    error.clear();
    EXPECT_FALSE(createEmptyFile(home.file(QStringLiteral("plain")), QStringLiteral("SCH03.DAT"), true, &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST_F(CardTransfer, ReportsSayWhatHappenedToEveryNameOfTheSet) {
    writeFile(inData(QStringLiteral("SCH01.DAT")), "schedule one");
    writeFile(inData(QStringLiteral("REMOTE.DAT")), "remote presets");
    writeFile(onCard(QStringLiteral("SDATE06.DAT")), "card's special dates");

    // Export: the data folder's two files are copied, the card keeps its own SDATE06, the rest are created.
    const TransferReport exported = exportFiles(data(), card(), allNames());
    EXPECT_EQ(exported.copied, (QStringList{QStringLiteral("SCH01.DAT"), QStringLiteral("REMOTE.DAT")}));
    EXPECT_EQ(exported.kept, QStringList{QStringLiteral("SDATE06.DAT")});
    EXPECT_EQ(exported.created.size(), 8);
    EXPECT_TRUE(exported.failed.isEmpty());
    EXPECT_EQ(sorted(exported.copied + exported.kept + exported.created), sorted(allNames()));

    // Import from a card holding other files: the data folder keeps what the card lacks.
    QDir(card()).removeRecursively();
    ASSERT_TRUE(QDir().mkpath(card()));
    writeFile(onCard(QStringLiteral("sch02.dat")), "schedule two");
    writeFile(onCard(QStringLiteral("SDATE03.DAT")), "dates");
    const TransferReport imported = importFiles(card(), data(), allNames());
    EXPECT_EQ(imported.copied, (QStringList{QStringLiteral("SCH02.DAT"), QStringLiteral("SDATE03.DAT")}));
    EXPECT_EQ(imported.kept, (QStringList{QStringLiteral("SCH01.DAT"), QStringLiteral("REMOTE.DAT")}));
    EXPECT_EQ(imported.created.size(), 7);
    EXPECT_TRUE(imported.failed.isEmpty());
    EXPECT_EQ(readFile(inData(QStringLiteral("SCH01.DAT"))), QByteArray("schedule one"));

    // A target that cannot hold files: every name fails, each with its reason.
    writeFile(home.file(QStringLiteral("plain")), "x");
    const TransferReport failed = exportFiles(data(), home.file(QStringLiteral("plain")), allNames());
    EXPECT_FALSE(failed.anyCopied());
    ASSERT_EQ(failed.failed.size(), 11);
    const QStringList lines = failed.failureLines();
    for (int i = 0; i < 11; ++i) {
        EXPECT_EQ(failed.failed[i].name, allNames()[i]);
        EXPECT_FALSE(failed.failed[i].reason.isEmpty());
        EXPECT_TRUE(lines[i].startsWith(allNames()[i] + QStringLiteral(": "))) << lines[i].toStdString();
    }
}

TEST_F(CardTransfer, ImportThatCannotWriteReportsTheFileAndNeverLeavesAnEmptyOneInItsPlace) {
    const QByteArray two = exampleFileBytes(); // 4904 bytes
    const QByteArray three = patternBytes(9976, 3);
    writeFile(onCard(QStringLiteral("SCH02.DAT")), two);
    writeFile(onCard(QStringLiteral("SCH03.DAT")), three);
    writeFile(inData(QStringLiteral("SCH03.DAT")), "earlier schedule three");

    // Room for the smaller file only.
    for (const bool earlierFile : {true, false}) {
        SCOPED_TRACE(earlierFile ? "with an earlier SCH03.DAT" : "without one");
        if (!earlierFile) {
            ASSERT_TRUE(QFile::remove(inData(QStringLiteral("SCH03.DAT"))));
        }
        TransferReport report;
        {
            FileSizeLimit limit(8 * 1024);
            ASSERT_TRUE(limit.ok());
            report = importFiles(card(), data(), allNames());
        }
        EXPECT_EQ(report.copied, QStringList{QStringLiteral("SCH02.DAT")});
        ASSERT_EQ(report.failed.size(), 1) << report.failureLines().join(u'\n').toStdString();
        EXPECT_EQ(report.failed[0].name, QStringLiteral("SCH03.DAT"));
        EXPECT_TRUE(report.failed[0].reason.contains(QStringLiteral("SCH03.DAT")))
            << report.failed[0].reason.toStdString();
        EXPECT_EQ(readFile(inData(QStringLiteral("SCH02.DAT"))), two);
        if (earlierFile) {
            EXPECT_EQ(readFile(inData(QStringLiteral("SCH03.DAT"))), QByteArray("earlier schedule three"));
            EXPECT_EQ(entriesOf(data()), sorted(allNames()));
        } else {
            EXPECT_FALSE(QFileInfo::exists(inData(QStringLiteral("SCH03.DAT")))) << "no 0-byte file in its place";
            QStringList expected = allNames();
            expected.removeOne(QStringLiteral("SCH03.DAT"));
            EXPECT_EQ(entriesOf(data()), sorted(expected)) << "and no temporary file left behind";
        }
    }
}

TEST_F(CardTransfer, ImportOfACardFileThatCannotBeReadKeepsTheDataFileAndReportsIt) {
    // A name on the card whose content cannot be read: a link to a file every read of which fails.
    ASSERT_TRUE(QFile::link(QStringLiteral("/proc/self/mem"), onCard(QStringLiteral("SCH01.DAT"))));
    writeFile(onCard(QStringLiteral("SCH02.DAT")), "schedule two");
    writeFile(inData(QStringLiteral("SCH01.DAT")), "own schedule one");
    const TransferReport report = importFiles(card(), data(), allNames());
    EXPECT_EQ(report.copied, QStringList{QStringLiteral("SCH02.DAT")});
    ASSERT_EQ(report.failed.size(), 1);
    EXPECT_EQ(report.failed[0].name, QStringLiteral("SCH01.DAT"));
    EXPECT_EQ(readFile(inData(QStringLiteral("SCH01.DAT"))), QByteArray("own schedule one"));
    EXPECT_EQ(entriesOf(data()), sorted(allNames()));
}
