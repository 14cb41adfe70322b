// Undo and redo over the data files, restore of kept versions, and damaged files, without windows.
#include "CardFolders.h"
#include "TestSupport.h"

#include "core/files/FileContent.h"
#include "core/files/ScheduleFile.h"
#include "core/history/BackupStore.h"
#include "core/history/ChangeRecorder.h"
#include "core/history/DamagedFiles.h"
#include "core/history/DataStep.h"
#include "core/history/FileDelta.h"
#include "core/history/Restore.h"
#include "core/schedule/ScheduleCopy.h"
#include "core/schedule/ScheduleModel.h"
#include "core/storage/CardTransfer.h"
#include "core/texts/TextTable.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <random>

#include <fcntl.h>
#include <sys/stat.h>

using namespace quorvan;
using namespace quorvan::test;

namespace {

// A table of n entries, each with `songs` songs, told apart by their start hour and song names.
std::unique_ptr<ScheduleTable> tableOf(int n, int songs, char16_t mark = u'a') {
    auto table = makeTable();
    for (int i = 0; i < n; ++i) {
        TimingEntry e = exampleEntry();
        e.startHour = std::uint8_t(i % 24);
        e.startMinute = std::uint8_t(i % 60);
        e.playlist.clear();
        for (int j = 0; j < songs; ++j)
            e.playlist << QString(40, QChar(mark)) + QString::number(i * 1000 + j);
        appendEntry(*table, e);
    }
    return table;
}

} // namespace

TEST(FileDelta, RebuildsEitherVersionAndStoresOnlyWhatChanged) {
    auto table = tableOf(200, 30);
    const QByteArray before = serializeTable(*table);
    ASSERT_GT(before.size(), 3'000'000);

    // Deleting entry 3 shifts every later block and rewrites the header's offsets: the delta holds the entry.
    removeEntry(*table, 3);
    const QByteArray after = serializeTable(*table);
    const FileDelta forward = FileDelta::between(before, after);
    const FileDelta backward = FileDelta::between(after, before);
    bool ok = false;
    EXPECT_EQ(forward.apply(before, &ok), after);
    EXPECT_TRUE(ok);
    EXPECT_EQ(backward.apply(after, &ok), before);
    EXPECT_TRUE(ok);
    const qint64 entryBytes = 176 + 30 * 624;
    EXPECT_LT(forward.storedBytes(), 5000);
    EXPECT_LT(backward.storedBytes(), entryBytes + 4104) << "the deleted entry, not the file";

    // A change in the middle of an entry, a file that grows from nothing, one that shrinks to nothing.
    for (const auto& [from, to] :
         std::vector<std::pair<QByteArray, QByteArray>>{{QByteArray("abcdefgh"), QByteArray("abcXYZgh")},
                                                        {QByteArray(), QByteArray(9000, 'x')},
                                                        {QByteArray(5000, 'y'), QByteArray()},
                                                        {QByteArray("same"), QByteArray("same")}}) {
        EXPECT_EQ(FileDelta::between(from, to, 3).apply(from), to);
        EXPECT_EQ(FileDelta::between(to, from, 3).apply(to), from);
    }
    // Random edits on both sides of the split.
    std::mt19937 random(20261209);
    for (int round = 0; round < 200; ++round) {
        QByteArray a(int(random() % 9000), Qt::Uninitialized);
        for (char& c : a)
            c = char(random() % 4);
        QByteArray b = a;
        const int edits = 1 + int(random() % 3);
        for (int e = 0; e < edits; ++e) {
            const qsizetype at = b.isEmpty() ? 0 : qsizetype(random() % b.size());
            b.replace(at, qsizetype(random() % 50), QByteArray(int(random() % 50), char(random() % 4)));
        }
        ASSERT_EQ(FileDelta::between(a, b).apply(a), b) << round;
        ASSERT_EQ(FileDelta::between(b, a).apply(b), a) << round;
    }
    // Applied to bytes of another size, it refuses.
    EXPECT_TRUE(forward.apply(after, &ok).isEmpty());
    EXPECT_FALSE(ok);
}

namespace {

// A home folder with the model on it, its data folder, and a backup store.
struct Site {
    TempHome home;
    TextTable texts;
    std::unique_ptr<ScheduleModel> model;
    BackupStore backups{home.path()};
    Site() {
        texts.loadEnglish();
        model = std::make_unique<ScheduleModel>(texts, home.path());
    }
    QString data() const { return dataFolderPath(home.path()); }
    QString file(const QString& name) const { return data() + name; }
    QStringList documentFiles() const {
        QStringList files;
        for (const DocumentInfo& d : model->documents())
            files << d.fileName;
        return files;
    }
    // Makes one change through the model, recorded as a step.
    DataStep change(const std::function<void(ScheduleDocument&)>& edit, StepLabel::Kind kind, int entry) {
        ChangeRecorder recorder(data(), {model->current().fileName}, &backups);
        edit(model->document());
        EXPECT_TRUE(model->saveCurrentDocument().ok);
        return recorder.finish({kind, model->current().fileName, entry, {}});
    }
};

void expectUndoRedo(Site& s, const DataStep& step, const std::map<QString, QByteArray>& before,
                    const std::map<QString, QByteArray>& after) {
    ASSERT_FALSE(step.isEmpty());
    for (int round = 0; round < 2; ++round) {
        ASSERT_TRUE(step.undo(s.data(), &s.backups).ok);
        for (const auto& [name, bytes] : before)
            EXPECT_EQ(readFile(s.file(name)), bytes) << name.toStdString() << " after undo";
        ASSERT_TRUE(step.redo(s.data(), &s.backups).ok);
        for (const auto& [name, bytes] : after)
            EXPECT_EQ(readFile(s.file(name)), bytes) << name.toStdString() << " after redo";
    }
}

} // namespace

TEST(DataStep, EveryKindOfStepUndoneAndRedoneGivesByteIdenticalFiles) {
    Site s;
    const QString sch1 = QStringLiteral("SCH01.DAT");
    // Start from a file the program did not write itself: lower-case drive letters, bytes after a NUL.
    ASSERT_TRUE(QFile::copy(dataPath(QStringLiteral("fx-mixed.DAT")), s.file(sch1)));
    s.model->reloadCurrentDocument();
    const QByteArray original = readFile(s.file(sch1));

    // Add, change and delete an entry: each step brings back exactly the bytes before it.
    DataStep add = s.change([](ScheduleDocument& d) { d.append(exampleEntry()); }, StepLabel::Kind::AddEntry, 4);
    const QByteArray afterAdd = readFile(s.file(sch1));
    expectUndoRedo(s, add, {{sch1, original}}, {{sch1, afterAdd}});
    s.model->reloadCurrentDocument();
    DataStep change = s.change(
        [](ScheduleDocument& d) {
            TimingEntry e = d.entry(1);
            e.startHour = 23;
            d.replace(1, e);
        },
        StepLabel::Kind::ChangeEntry, 1);
    expectUndoRedo(s, change, {{sch1, afterAdd}}, {{sch1, readFile(s.file(sch1))}});
    s.model->reloadCurrentDocument();
    const QByteArray beforeDelete = readFile(s.file(sch1));
    DataStep remove = s.change([](ScheduleDocument& d) { d.remove(0); }, StepLabel::Kind::DeleteEntry, 0);
    expectUndoRedo(s, remove, {{sch1, beforeDelete}}, {{sch1, readFile(s.file(sch1))}});
    // Undone in reverse order, the first file comes back byte for byte.
    ASSERT_TRUE(remove.undo(s.data(), &s.backups).ok);
    ASSERT_TRUE(change.undo(s.data(), &s.backups).ok);
    ASSERT_TRUE(add.undo(s.data(), &s.backups).ok);
    EXPECT_EQ(readFile(s.file(sch1)), original);

    // A remote-key preset saved and cleared.
    s.model->selectDocument(4);
    const QByteArray remoteBefore = readFile(s.file(QStringLiteral("REMOTE.DAT")));
    DataStep preset =
        s.change([](ScheduleDocument& d) { d.replace(2, exampleEntry()); }, StepLabel::Kind::SavePreset, 2);
    expectUndoRedo(s, preset, {{QStringLiteral("REMOTE.DAT"), remoteBefore}},
                   {{QStringLiteral("REMOTE.DAT"), readFile(s.file(QStringLiteral("REMOTE.DAT")))}});
    EXPECT_FALSE(preset.changes[0].existedBefore) << "the first save created the file";

    // A copy into Schedule3.
    const QString sch3 = QStringLiteral("SCH03.DAT");
    ASSERT_TRUE(saveTableFile(s.file(sch3), *tableOf(2, 1)).ok);
    const QByteArray sch3Before = readFile(s.file(sch3));
    auto source = makeTable();
    auto target = makeTable();
    ChangeRecorder copyRecorder(s.data(), {sch3}, &s.backups);
    ASSERT_TRUE(
        copyEntries(s.home.path(), s.model->documents(), 0, kChoiceAll, 2, kChoiceAll, *source, *target).copied());
    const DataStep copy = copyRecorder.finish({StepLabel::Kind::Copy, sch3, -1, {}});
    expectUndoRedo(s, copy, {{sch3, sch3Before}}, {{sch3, readFile(s.file(sch3))}});

    // An import: several files, some created by it.
    const QString card = s.home.file(QStringLiteral("card"));
    ASSERT_TRUE(QDir().mkpath(card));
    writeFile(card + QStringLiteral("/SCH02.DAT"), exampleFileBytes());
    writeFile(card + QStringLiteral("/sdate01.dat"), "special");
    std::map<QString, QByteArray> beforeImport;
    for (const QString& name : allNames())
        if (QFileInfo::exists(s.file(name)))
            beforeImport[name] = readFile(s.file(name));
    ChangeRecorder importRecorder(s.data(), allNames(), &s.backups, s.backups.newGroupStem());
    const TransferReport report = importFiles(card, s.data(), allNames());
    ASSERT_TRUE(report.failed.isEmpty());
    const DataStep import = importRecorder.finish({StepLabel::Kind::Import, sch1, -1, {}});
    std::map<QString, QByteArray> afterImport;
    for (const QString& name : allNames())
        afterImport[name] = readFile(s.file(name));
    ASSERT_TRUE(import.undo(s.data(), &s.backups).ok);
    for (const QString& name : allNames()) {
        if (beforeImport.count(name)) {
            EXPECT_EQ(readFile(s.file(name)), beforeImport[name]) << name.toStdString();
        } else {
            EXPECT_FALSE(QFileInfo::exists(s.file(name))) << name.toStdString() << " was not there before";
        }
    }
    ASSERT_TRUE(import.redo(s.data(), &s.backups).ok);
    for (const QString& name : allNames())
        EXPECT_EQ(readFile(s.file(name)), afterImport[name]) << name.toStdString();
}

TEST(DataStep, AFileChangedSinceOrAFailedWriteLeavesTheStepWhole) {
    Site s;
    const QString sch1 = QStringLiteral("SCH01.DAT");
    const QString sch2 = QStringLiteral("SCH02.DAT");
    ASSERT_TRUE(saveTableFile(s.file(sch1), *tableOf(2, 1)).ok);
    ASSERT_TRUE(saveTableFile(s.file(sch2), *tableOf(3, 1)).ok);
    const QByteArray before1 = readFile(s.file(sch1));
    const QByteArray before2 = readFile(s.file(sch2));
    ChangeRecorder recorder(s.data(), {sch1, sch2}, &s.backups);
    ASSERT_TRUE(saveTableFile(s.file(sch1), *tableOf(1, 1)).ok);
    ASSERT_TRUE(saveTableFile(s.file(sch2), *tableOf(60, 20)).ok); // about 750 KB
    const DataStep step = recorder.finish({StepLabel::Kind::Import, sch1, -1, {}});
    ASSERT_EQ(step.changes.size(), 2u);
    const QByteArray after1 = readFile(s.file(sch1));
    const QByteArray after2 = readFile(s.file(sch2));

    // Something else rewrote SCH02: the undo touches nothing and says which file.
    writeFile(s.file(sch2), "rewritten elsewhere");
    SaveResult r = step.undo(s.data(), &s.backups);
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.error.contains(sch2)) << r.error.toStdString();
    EXPECT_EQ(readFile(s.file(sch1)), after1);
    writeFile(s.file(sch2), after2);

    // Redo with room for the small first file but not for the big second one: the first is put back, both files
    // hold what they held before the redo, and the redo succeeds once there is room.
    ASSERT_TRUE(step.undo(s.data(), &s.backups).ok);
    {
        FileSizeLimit limit(64 * 1024);
        ASSERT_TRUE(limit.ok());
        r = step.redo(s.data(), nullptr);
    }
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.error.contains(sch2)) << r.error.toStdString();
    EXPECT_EQ(readFile(s.file(sch1)), before1) << "rolled back";
    EXPECT_EQ(readFile(s.file(sch2)), before2);
    ASSERT_TRUE(step.redo(s.data(), nullptr).ok);
    EXPECT_EQ(readFile(s.file(sch1)), after1);
    EXPECT_EQ(readFile(s.file(sch2)), after2);
    // A temporary file of the failed write is not left in the data folder.
    EXPECT_EQ(QDir(s.data()).entryList(QDir::Files), (QStringList{sch1, sch2}));
}

TEST(DataStep, WritingBacksUpTheVersionItReplaces) {
    Site s;
    const QString sch1 = QStringLiteral("SCH01.DAT");
    DataStep add = s.change([](ScheduleDocument& d) { d.append(exampleEntry()); }, StepLabel::Kind::AddEntry, 0);
    EXPECT_TRUE(s.backups.versions(sch1).empty()) << "no file existed before the first save";
    const QByteArray one = readFile(s.file(sch1));
    s.model->reloadCurrentDocument();
    DataStep second = s.change([](ScheduleDocument& d) { d.append(exampleEntry()); }, StepLabel::Kind::AddEntry, 1);
    ASSERT_EQ(s.backups.versions(sch1).size(), 1u);
    EXPECT_EQ(BackupStore::read(s.backups.versions(sch1).back()), one);
    // Undo keeps the two-entry file before it goes back to one entry.
    const QByteArray two = readFile(s.file(sch1));
    ASSERT_TRUE(second.undo(s.data(), &s.backups).ok);
    EXPECT_EQ(BackupStore::read(s.backups.versions(sch1).back()), two);
    (void)add;
}

TEST(Restore, AKeptVersionComesBackAsAnUndoableStepAndAnImportGroupTogether) {
    Site s;
    const QString sch1 = QStringLiteral("SCH01.DAT");
    const QString sch2 = QStringLiteral("SCH02.DAT");
    QDateTime now(QDate(2026, 12, 9), QTime(8, 0, 0));
    s.backups.setClock([&now] { return now; });
    ASSERT_TRUE(saveTableFile(s.file(sch1), *tableOf(1, 1)).ok);
    const QByteArray v1 = readFile(s.file(sch1));
    {
        ChangeRecorder r(s.data(), {sch1}, &s.backups);
        ASSERT_TRUE(saveTableFile(s.file(sch1), *tableOf(2, 1)).ok);
        r.finish({StepLabel::Kind::ChangeEntry, sch1, 0, {}});
    }
    const QByteArray v2 = readFile(s.file(sch1));
    ASSERT_EQ(s.backups.versions(sch1).size(), 1u);

    now = now.addSecs(5);
    const RestoreOutcome restored = restoreVersions(s.data(), s.backups.versions(sch1), s.backups,
                                                    {StepLabel::Kind::Restore, sch1, -1, QStringLiteral("08:00:00")});
    ASSERT_TRUE(restored.result.ok);
    EXPECT_EQ(readFile(s.file(sch1)), v1);
    EXPECT_EQ(BackupStore::read(s.backups.versions(sch1).back()), v2) << "the replaced file is kept first";
    ASSERT_TRUE(restored.step.undo(s.data(), &s.backups).ok);
    EXPECT_EQ(readFile(s.file(sch1)), v2);
    ASSERT_TRUE(restored.step.redo(s.data(), &s.backups).ok);
    EXPECT_EQ(readFile(s.file(sch1)), v1);

    // An import's group restores every file it kept, as one step.
    ASSERT_TRUE(saveTableFile(s.file(sch2), *tableOf(3, 1)).ok);
    const QByteArray sch2Before = readFile(s.file(sch2));
    now = now.addSecs(5);
    const QString stem = s.backups.newGroupStem();
    {
        ChangeRecorder importing(s.data(), {sch1, sch2}, &s.backups, stem);
        ASSERT_TRUE(saveTableFile(s.file(sch1), *tableOf(7, 1)).ok);
        ASSERT_TRUE(saveTableFile(s.file(sch2), *tableOf(8, 1)).ok);
    }
    const RestoreOutcome group =
        restoreVersions(s.data(), s.backups.group(stem), s.backups, {StepLabel::Kind::Restore, sch1, -1, {}});
    ASSERT_TRUE(group.result.ok);
    EXPECT_EQ(readFile(s.file(sch1)), v1);
    EXPECT_EQ(readFile(s.file(sch2)), sch2Before);
    EXPECT_EQ(group.step.changes.size(), 2u);

    // What an import created goes when its group is restored: the data folder is as it was before the import.
    const QString sch3 = QStringLiteral("SCH03.DAT");
    const QString sdate = QStringLiteral("SDATE01.DAT");
    now = now.addSecs(5);
    const QString created = s.backups.newGroupStem();
    {
        ChangeRecorder importing(s.data(), {sch1, sch3, sdate}, &s.backups, created);
        ASSERT_TRUE(saveTableFile(s.file(sch1), *tableOf(9, 1)).ok);
        ASSERT_TRUE(saveTableFile(s.file(sch3), *tableOf(4, 1)).ok);
        writeFile(s.file(sdate), QByteArray());
    }
    EXPECT_TRUE(s.backups.versions(sch3).empty()) << "a marker of absence is no version to list";
    const RestoreOutcome before =
        restoreVersions(s.data(), s.backups.group(created), s.backups, {StepLabel::Kind::Restore, sch1, -1, {}});
    ASSERT_TRUE(before.result.ok);
    EXPECT_EQ(readFile(s.file(sch1)), v1);
    EXPECT_FALSE(QFile::exists(s.file(sch3)));
    EXPECT_FALSE(QFile::exists(s.file(sdate)));
    EXPECT_EQ(before.step.changes.size(), 3u);
    ASSERT_TRUE(before.step.undo(s.data(), &s.backups).ok);
    EXPECT_EQ(readFile(s.file(sch3)), serializeTable(*tableOf(4, 1)));
    EXPECT_TRUE(QFile::exists(s.file(sdate)));
}

// A sound file checked once is not read again while unchanged; whatever replaces or rewrites it is checked again,
// and a damaged file is never taken for sound.
TEST(DamagedFiles, AFileFoundSoundIsCheckedAgainOnlyWhenItChanges) {
    Site s;
    const QString sch1 = QStringLiteral("SCH01.DAT");
    SoundFiles sound;
    ASSERT_TRUE(QFile::copy(dataPath(QStringLiteral("fx-example.DAT")), s.file(sch1)));
    EXPECT_TRUE(keepIfDamaged(s.data(), sch1, s.backups, nullptr, &sound).empty());
    EXPECT_TRUE(sound.unchanged(s.file(sch1)));

    // Rewritten in place with damaged bytes of the same size, and its time set apart: checked, found, kept.
    QByteArray bytes = readFile(s.file(sch1));
    bytes[8] = char(bytes[8] + 1); // the first block's offset
    {
        QFile f(s.file(sch1));
        ASSERT_TRUE(f.open(QIODevice::ReadWrite) && f.write(bytes) == bytes.size());
        f.setFileTime(f.fileTime(QFileDevice::FileModificationTime).addSecs(-5), QFileDevice::FileModificationTime);
    }
    EXPECT_FALSE(sound.unchanged(s.file(sch1)));
    EXPECT_FALSE(keepIfDamaged(s.data(), sch1, s.backups, nullptr, &sound).empty());
    EXPECT_FALSE(keepIfDamaged(s.data(), sch1, s.backups, nullptr, &sound).empty()); // still damaged, still said
    EXPECT_FALSE(sound.unchanged(s.file(sch1)));

    // Replaced by a sound file (a save renames a new file over it): checked again and remembered.
    ASSERT_TRUE(saveTableFile(s.file(sch1), *tableOf(3, 1)).ok);
    EXPECT_FALSE(sound.unchanged(s.file(sch1)));
    EXPECT_TRUE(keepIfDamaged(s.data(), sch1, s.backups, nullptr, &sound).empty());
    EXPECT_TRUE(sound.unchanged(s.file(sch1)));
    ASSERT_TRUE(QFile::remove(s.file(sch1)));
    EXPECT_FALSE(sound.unchanged(s.file(sch1)));
}

TEST(DamagedFiles, ADamagedFileIsKeptBeforeTheFirstSaveAndAMissingOrEmptyOneIsNot) {
    Site s;
    const QString sch1 = QStringLiteral("SCH01.DAT");
    // Missing, then empty: a new controller, nothing to say.
    EXPECT_TRUE(keepIfDamaged(s.data(), sch1, s.backups).empty());
    writeFile(s.file(sch1), QByteArray());
    EXPECT_TRUE(keepIfDamaged(s.data(), sch1, s.backups).empty());
    EXPECT_TRUE(s.backups.versions(sch1).empty());
    // A valid file is not damaged either.
    ASSERT_TRUE(QFile::remove(s.file(sch1)));
    ASSERT_TRUE(QFile::copy(dataPath(QStringLiteral("fx-example.DAT")), s.file(sch1)));
    EXPECT_TRUE(keepIfDamaged(s.data(), sch1, s.backups).empty());

    // A damaged one: its problems, and its bytes kept, marked, before the program saves over it.
    ASSERT_TRUE(QFile::remove(s.file(sch1)));
    ASSERT_TRUE(QFile::copy(dataPath(QStringLiteral("fx-bad-offset.DAT")), s.file(sch1)));
    const QByteArray damaged = readFile(s.file(sch1));
    const std::vector<FileProblem> problems = keepIfDamaged(s.data(), sch1, s.backups);
    ASSERT_FALSE(problems.empty());
    EXPECT_TRUE(problemLines(problems, 3).contains(QStringLiteral("block offset")))
        << problemLines(problems, 3).toStdString();
    ASSERT_EQ(s.backups.versions(sch1).size(), 1u);
    EXPECT_EQ(s.backups.versions(sch1)[0].mark, BackupVersion::Mark::Damaged);
    EXPECT_EQ(BackupStore::read(s.backups.versions(sch1)[0]), damaged);

    s.model->reloadCurrentDocument();
    s.change([](ScheduleDocument& d) { d.append(exampleEntry()); }, StepLabel::Kind::AddEntry, 0);
    EXPECT_NE(readFile(s.file(sch1)), damaged);
    bool stillKept = false;
    for (const BackupVersion& v : s.backups.versions(sch1))
        stillKept = stillKept || (v.mark == BackupVersion::Mark::Damaged && BackupStore::read(v) == damaged);
    EXPECT_TRUE(stillKept);
}

// The deltas of a change found by reading both files piece by piece, where the change sits before, across and
// after the boundaries of the pieces, agree with the bytes; each way rebuilds the other file.
TEST(FileDelta, FilesComparedPieceByPieceGiveTheDeltasOfTheirBytes) {
    Site s;
    const qint64 piece = FileContent::kPiece;
    const QByteArray base = [&] {
        QByteArray b(int(3 * piece + 777), Qt::Uninitialized);
        std::mt19937 random(7);
        for (char& c : b)
            c = char(random() % 3); // few values: long shared runs both ways
        return b;
    }();
    struct Edit {
        qint64 at, removed;
        QByteArray added;
    };
    const std::vector<Edit> edits = {
        {0, 1, "Z"},                           // the first byte
        {piece - 1, 1, "Z"},                   // the last byte of a piece, seen from the start
        {piece, 0, "ZZ"},                      // growth at the start of a piece
        {2 * piece - 3, 7, "Z"},               // a change across a boundary that shrinks the file
        {base.size() - piece, 1, "Z"},         // a piece from the end: the boundary the end scan meets first
        {base.size() - 1, 1, "ZZZ"},           // the last byte
        {5000, 2 * piece, QByteArray(9, 'Q')}, // most of the file goes
    };
    for (const Edit& e : edits) {
        QByteArray changed = base;
        changed.replace(e.at, e.removed, e.added);
        writeFile(s.file(QStringLiteral("A.DAT")), base);
        writeFile(s.file(QStringLiteral("B.DAT")), changed);
        const FileContent a = FileContent::open(s.file(QStringLiteral("A.DAT")), kMaxScheduleFileBytes);
        const FileContent b = FileContent::open(s.file(QStringLiteral("B.DAT")), kMaxScheduleFileBytes);
        bool ok = false;
        const FileDelta::Pair both = FileDelta::both(a, b, &ok);
        ASSERT_TRUE(ok);
        EXPECT_EQ(both.forward.apply(base), changed) << "edit at " << e.at;
        EXPECT_EQ(both.backward.apply(changed), base) << "edit at " << e.at;
        EXPECT_LE(both.forward.storedBytes(), e.added.size() + 64) << "only what changed, edit at " << e.at;
        EXPECT_EQ(a.hash(), hashOfBytes(base));
    }
}

// A save keeps the bytes it replaces by a second name for them, not a copy; what later writes the data file in
// place never reaches the version; a change that fails keeps nothing, and the file is left as it was.
TEST(ChangeRecorder, KeepsTheReplacedFileByALinkThatLaterWritesNeverReach) {
    Site s;
    const QString sch1 = QStringLiteral("SCH01.DAT");
    ASSERT_TRUE(saveTableFile(s.file(sch1), *tableOf(3, 2)).ok);
    const QByteArray v1 = readFile(s.file(sch1));
    struct stat original {};
    ASSERT_EQ(::stat(QFile::encodeName(s.file(sch1)).constData(), &original), 0);
    {
        ChangeRecorder r(s.data(), {sch1}, &s.backups);
        ASSERT_TRUE(saveTableFile(s.file(sch1), *tableOf(4, 2)).ok);
        const DataStep step = r.finish({StepLabel::Kind::AddEntry, sch1, 3, {}});
        ASSERT_EQ(step.changes.size(), 1u);
    }
    ASSERT_EQ(s.backups.versions(sch1).size(), 1u);
    const QString version = s.backups.versions(sch1).back().path;
    struct stat kept {};
    ASSERT_EQ(::stat(QFile::encodeName(version).constData(), &kept), 0);
    EXPECT_EQ(kept.st_ino, original.st_ino) << "the replaced file itself";
    EXPECT_EQ(kept.st_nlink, 1u) << "named only in backups/";
    // Another program writes the data file in place: the version still holds v1.
    {
        QFile file(s.file(sch1));
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        file.write("overwritten in place");
    }
    EXPECT_EQ(readFile(version), v1);

    // A change that writes nothing (its save failed) leaves no version and no second name for the file.
    const QByteArray now = readFile(s.file(sch1));
    {
        ChangeRecorder r(s.data(), {sch1}, &s.backups);
        EXPECT_EQ(s.backups.versions(sch1).size(), 2u) << "kept before the write";
    }
    EXPECT_EQ(s.backups.versions(sch1).size(), 1u);
    struct stat after {};
    ASSERT_EQ(::stat(QFile::encodeName(s.file(sch1)).constData(), &after), 0);
    EXPECT_EQ(after.st_nlink, 1u);
    EXPECT_EQ(readFile(s.file(sch1)), now);

    // A change recorded without replacing the file keeps a copy of its own, not the file.
    {
        ChangeRecorder r(s.data(), {sch1}, &s.backups);
        EXPECT_TRUE(r.finish({StepLabel::Kind::Copy, sch1, -1, {}}).isEmpty());
    }
    ASSERT_EQ(s.backups.versions(sch1).size(), 2u);
    ASSERT_EQ(::stat(QFile::encodeName(s.backups.versions(sch1).back().path).constData(), &kept), 0);
    EXPECT_NE(kept.st_ino, after.st_ino);
    EXPECT_EQ(readFile(s.backups.versions(sch1).back().path), now);
}

// Hashes remembered for files the program wrote are trusted only while the file is the one written: a write in
// place with the same size that puts the modification time back is still seen, and the undo refuses.
TEST(DataStep, AnUndoSeesASameSizeRewriteInPlaceThatPutItsTimeBack) {
    Site s;
    const QString sch1 = QStringLiteral("SCH01.DAT");
    ASSERT_TRUE(saveTableFile(s.file(sch1), *tableOf(3, 2)).ok);
    ChangeRecorder r(s.data(), {sch1}, &s.backups);
    const SaveResult saved = saveTableFile(s.file(sch1), *tableOf(3, 2, u'b'));
    ASSERT_TRUE(saved.ok);
    s.backups.rememberWritten(s.file(sch1), saved);
    const DataStep step = r.finish({StepLabel::Kind::ChangeEntry, sch1, 0, {}});
    ASSERT_EQ(step.changes.size(), 1u);

    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(s.file(sch1)).constData(), &st), 0);
    QByteArray other = readFile(s.file(sch1));
    other[other.size() - 3] = char(other[other.size() - 3] ^ 1);
    {
        QFile file(s.file(sch1));
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        file.write(other);
    }
    const timespec times[2] = {st.st_atim, st.st_mtim};
    ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(s.file(sch1)).constData(), times, 0), 0);

    const SaveResult undone = step.undo(s.data(), &s.backups);
    EXPECT_FALSE(undone.ok);
    EXPECT_EQ(readFile(s.file(sch1)), other) << "not touched";
}

// An import keeps its versions before it writes, by links; a file it then did not replace (cut short, refused)
// gets a copy of its own in the group, so that what writes the data file later never reaches the version.
TEST(ChangeRecorder, AnImportsFileLeftInPlaceKeepsAVersionOfItsOwn) {
    Site s;
    const QString sch1 = QStringLiteral("SCH01.DAT"), sch2 = QStringLiteral("SCH02.DAT");
    ASSERT_TRUE(saveTableFile(s.file(sch1), *tableOf(2, 1)).ok);
    ASSERT_TRUE(saveTableFile(s.file(sch2), *tableOf(3, 1)).ok);
    const QByteArray before2 = readFile(s.file(sch2));
    const QString stem = s.backups.newGroupStem();
    {
        ChangeRecorder importing(s.data(), {sch1, sch2}, &s.backups, stem);
        ASSERT_TRUE(saveTableFile(s.file(sch1), *tableOf(5, 1)).ok); // SCH02 never arrives
        importing.finish({StepLabel::Kind::Import, {}, -1, {}});
    }
    ASSERT_EQ(s.backups.group(stem).size(), 2u) << "the group stays whole";
    const QString kept2 = s.backups.versions(sch2).back().path;
    struct stat version {
    }, data{};
    ASSERT_EQ(::stat(QFile::encodeName(kept2).constData(), &version), 0);
    ASSERT_EQ(::stat(QFile::encodeName(s.file(sch2)).constData(), &data), 0);
    EXPECT_NE(version.st_ino, data.st_ino);
    EXPECT_EQ(data.st_nlink, 1u);
    {
        QFile file(s.file(sch2));
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        file.write("overwritten in place");
    }
    EXPECT_EQ(readFile(kept2), before2);
}
