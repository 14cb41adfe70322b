#include "CardFolders.h"

#include "core/files/RegularFile.h"

#include <QElapsedTimer>

#include <gtest/gtest.h>

#include <sys/stat.h>

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
    Problem error;
    EXPECT_EQ(copyNamedFile(card(), data(), QStringLiteral("SCH03.DAT"), &error), CopyResult::Copied)
        << error.inEnglish().toStdString();
    EXPECT_EQ(readFile(inData(QStringLiteral("SCH03.DAT"))), QByteArray("upper"));
    EXPECT_EQ(entriesOf(data()), QStringList{QStringLiteral("SCH03.DAT")});

    // A name that is only a folder, or absent, is not found.
    ASSERT_TRUE(QDir(card()).mkdir(QStringLiteral("SCH04.DAT")));
    error = {};
    EXPECT_EQ(copyNamedFile(card(), data(), QStringLiteral("SCH04.DAT"), &error), CopyResult::NotFound);
    EXPECT_FALSE(error.isEmpty());
    error = {};
    EXPECT_EQ(copyNamedFile(card(), data(), QStringLiteral("SDATE01.DAT"), &error), CopyResult::NotFound);
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(inData(QStringLiteral("SCH04.DAT"))));

    // A target that cannot be written: its "folder" is a regular file.
    writeFile(home.file(QStringLiteral("plain")), "x");
    error = {};
    EXPECT_EQ(copyNamedFile(card(), home.file(QStringLiteral("plain")), QStringLiteral("SCH03.DAT"), &error),
              CopyResult::TargetFailed);
    EXPECT_TRUE(error.inEnglish().contains(QStringLiteral("SCH03.DAT"))) << error.inEnglish().toStdString();
    error = {};
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
        EXPECT_FALSE(failed.failed[i].reason().isEmpty());
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
        EXPECT_TRUE(report.failed[0].reason().contains(QStringLiteral("SCH03.DAT")))
            << report.failed[0].reason().toStdString();
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

// A hostile card: links into the data folder, out of both folders and to nowhere, a FIFO, a file too large to be
// a schedule. Neither direction writes through a link or reads one, nothing waits, every skipped file is
// reported with its reason, and no file outside the two folders changes.
TEST_F(CardTransfer, LinksAndSpecialFilesOnTheCardAreNeverFollowedOrWaitedOn) {
    const QString outside = home.file(QStringLiteral("outside.DAT"));
    writeFile(outside, "somebody else's file");
    for (int i = 1; i <= 4; ++i)
        writeFile(inData(QStringLiteral("SCH0%1.DAT").arg(i)), "data " + QByteArray::number(i));
    ASSERT_TRUE(QFile::link(inData(QStringLiteral("SCH02.DAT")), onCard(QStringLiteral("SCH01.DAT"))));
    ASSERT_TRUE(QFile::link(outside, onCard(QStringLiteral("SCH02.DAT"))));
    ASSERT_TRUE(QFile::link(home.file(QStringLiteral("nowhere/x.DAT")), onCard(QStringLiteral("SCH03.DAT"))));
    ASSERT_TRUE(QFile::link(QStringLiteral("/proc/self/environ"), onCard(QStringLiteral("SCH04.DAT"))));
    ASSERT_EQ(::mkfifo(QFile::encodeName(onCard(QStringLiteral("REMOTE.DAT"))).constData(), 0600), 0);
    {
        QFile huge(onCard(QStringLiteral("SDATE01.DAT")));
        ASSERT_TRUE(huge.open(QIODevice::WriteOnly) && huge.resize(kMaxScheduleFileBytes + 1));
    }

    // Import takes none of them and says why for each; the data folder keeps its bytes.
    const TransferReport in = importFiles(card(), data(), allNames());
    QStringList failed;
    for (const TransferReport::Failure& f : in.failed) {
        failed << f.name;
        EXPECT_FALSE(f.reason().isEmpty()) << f.name.toStdString();
    }
    EXPECT_EQ(sorted(failed), sorted({QStringLiteral("SCH01.DAT"), QStringLiteral("SCH02.DAT"),
                                      QStringLiteral("SCH03.DAT"), QStringLiteral("SCH04.DAT"),
                                      QStringLiteral("REMOTE.DAT"), QStringLiteral("SDATE01.DAT")}))
        << in.failureLines().join(u'\n').toStdString();
    EXPECT_TRUE(in.copied.isEmpty());
    for (int i = 1; i <= 4; ++i)
        EXPECT_EQ(readFile(inData(QStringLiteral("SCH0%1.DAT").arg(i))), "data " + QByteArray::number(i));
    EXPECT_TRUE(in.failureLines().join(u'\n').contains(QStringLiteral("symbolic link")));

    // Export replaces each link on the card by a file of its own: the data folder, the file outside and the
    // dangling link's target are untouched.
    const TransferReport out = exportFiles(data(), card(), allNames());
    EXPECT_TRUE(out.failed.isEmpty()) << out.failureLines().join(u'\n').toStdString();
    for (int i = 1; i <= 4; ++i) {
        const QString name = QStringLiteral("SCH0%1.DAT").arg(i);
        EXPECT_FALSE(QFileInfo(onCard(name)).isSymLink()) << name.toStdString();
        EXPECT_EQ(readFile(onCard(name)), "data " + QByteArray::number(i)) << name.toStdString();
        EXPECT_EQ(readFile(inData(name)), "data " + QByteArray::number(i)) << name.toStdString();
    }
    EXPECT_EQ(readFile(outside), QByteArray("somebody else's file"));
    EXPECT_FALSE(QFileInfo::exists(home.file(QStringLiteral("nowhere"))));

    // A link in the data folder is not exported either: it is reported, and the card keeps its own file.
    QFile::remove(inData(QStringLiteral("SCH03.DAT")));
    ASSERT_TRUE(QFile::link(outside, inData(QStringLiteral("SCH03.DAT"))));
    const TransferReport linked = exportFiles(data(), card(), allNames());
    ASSERT_EQ(linked.failed.size(), 1);
    EXPECT_EQ(linked.failed[0].name, QStringLiteral("SCH03.DAT"));
    EXPECT_EQ(readFile(onCard(QStringLiteral("SCH03.DAT"))), QByteArray("data 3"));
}

namespace {

// Four schedules of a few chunks each in the data folder and older, smaller ones on the card.
struct FourSchedules {
    QStringList names{QStringLiteral("SCH01.DAT"), QStringLiteral("SCH02.DAT"), QStringLiteral("SCH03.DAT"),
                      QStringLiteral("SCH04.DAT")};
    QList<QByteArray> fresh;
    QList<QByteArray> old;
};

FourSchedules fillFourSchedules(const QString& data, const QString& card) {
    FourSchedules set;
    for (int i = 0; i < set.names.size(); ++i) {
        set.fresh << patternBytes(3 * 1024 * 1024 + 1000 * i, i + 1);
        set.old << patternBytes(5000 + i, 40 + i);
        writeFile(data + u'/' + set.names[i], set.fresh[i]);
        writeFile(card + u'/' + set.names[i], set.old[i]);
    }
    return set;
}

} // namespace

TEST_F(CardTransfer, ProgressCountsEveryByteOfTheTransferInOrder) {
    const FourSchedules set = fillFourSchedules(data(), card());
    qint64 total = 0;
    for (const QByteArray& bytes : set.fresh)
        total += bytes.size();

    QList<TransferProgress> seen;
    TransferOptions options;
    options.progress = [&](const TransferProgress& p) {
        seen << p;
        return true;
    };
    const TransferReport report = exportFiles(data(), card(), allNames(), options);
    EXPECT_FALSE(report.cancelled);
    EXPECT_TRUE(report.notTransferred.isEmpty());
    EXPECT_EQ(report.copied, set.names);

    ASSERT_FALSE(seen.isEmpty());
    QStringList started;
    for (int i = 0; i < seen.size(); ++i) {
        EXPECT_EQ(seen[i].total, total) << "the total is known from the start";
        if (i > 0) {
            EXPECT_GE(seen[i].done, seen[i - 1].done);
        }
        if (started.isEmpty() || started.last() != seen[i].name)
            started << seen[i].name;
        EXPECT_EQ(seen[i].filesTotal, 11);
        EXPECT_EQ(seen[i].filesDone, started.size() - 1) << "files dealt with before this one";
    }
    EXPECT_EQ(started, allNames()) << "every file of the set is announced once, in order";
    EXPECT_EQ(seen.last().done, total);
    // One report per chunk of a megabyte at most, so the window is not flooded.
    EXPECT_LE(seen.size(), 11 + 4 * 4);
    for (int i = 0; i < set.names.size(); ++i)
        EXPECT_EQ(readFile(onCard(set.names[i])), set.fresh[i]);
}

TEST_F(CardTransfer, CancelAbandonsTheFileBeingWrittenAndLeavesTheRestAlone) {
    const FourSchedules set = fillFourSchedules(data(), card());
    const QStringList cardBefore = entriesOf(card());

    // Cancelled half way through the second schedule.
    TransferOptions options;
    options.progress = [&](const TransferProgress& p) {
        return p.done < set.fresh[0].size() + set.fresh[1].size() / 2;
    };
    const TransferReport report = exportFiles(data(), card(), allNames(), options);
    EXPECT_TRUE(report.cancelled);
    EXPECT_EQ(report.copied, QStringList{QStringLiteral("SCH01.DAT")});
    EXPECT_EQ(report.notTransferred, allNames().mid(1)) << "the file being written is the first not transferred";
    EXPECT_TRUE(report.failed.isEmpty());
    EXPECT_TRUE(report.created.isEmpty());

    EXPECT_EQ(readFile(onCard(QStringLiteral("SCH01.DAT"))), set.fresh[0]);
    for (int i = 1; i < set.names.size(); ++i)
        EXPECT_EQ(readFile(onCard(set.names[i])), set.old[i]) << set.names[i].toStdString() << " is the old file";
    EXPECT_EQ(entriesOf(card()), cardBefore) << "no temporary file is left and no empty file created";

    // Cancelled before the first file: the data folder is not touched at all.
    const QStringList dataBefore = entriesOf(data());
    options.progress = [](const TransferProgress&) { return false; };
    const TransferReport none = importFiles(card(), data(), allNames(), options);
    EXPECT_TRUE(none.cancelled);
    EXPECT_EQ(none.notTransferred, allNames());
    EXPECT_TRUE(none.copied.isEmpty() && none.created.isEmpty() && none.kept.isEmpty());
    EXPECT_EQ(entriesOf(data()), dataBefore);
    for (int i = 0; i < set.names.size(); ++i)
        EXPECT_EQ(readFile(inData(set.names[i])), set.fresh[i]);
}

TEST_F(CardTransfer, ACappedRateHoldsTheCopyBack) {
    const QByteArray bytes = patternBytes(2 * 1024 * 1024, 9);
    writeFile(inData(QStringLiteral("SCH01.DAT")), bytes);
    TransferOptions options;
    options.bytesPerSecond = 4 * 1024 * 1024;
    QElapsedTimer clock;
    clock.start();
    const TransferReport report = exportFiles(data(), card(), {QStringLiteral("SCH01.DAT")}, options);
    EXPECT_GE(clock.elapsed(), 450) << "2 MiB at 4 MiB/s take half a second";
    EXPECT_EQ(report.copied, QStringList{QStringLiteral("SCH01.DAT")});
    EXPECT_EQ(readFile(onCard(QStringLiteral("SCH01.DAT"))), bytes);
}
