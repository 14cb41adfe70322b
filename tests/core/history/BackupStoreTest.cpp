#include "TestSupport.h"

#include "core/history/BackupStore.h"
#include "core/settings/SettingsFiles.h"

#include <QDir>
#include <QThread>

#include <gtest/gtest.h>

using namespace quorvan;
using namespace quorvan::test;

namespace {

// A store whose clock the test moves by hand.
struct Store {
    TempHome home;
    QDateTime now = QDateTime(QDate(2026, 12, 9), QTime(8, 15, 2));
    BackupStore store{home.path()};
    Store() {
        store.setClock([this] { return now; });
    }
    QStringList names(const QString& file) const {
        QStringList out;
        for (const BackupVersion& v : store.versions(file))
            out << QFileInfo(v.path).fileName();
        return out;
    }
};

} // namespace

TEST(BackupStore, VersionsAreNamedByFileAndTimeAndTheSameBytesAreKeptOnce) {
    Store s;
    ASSERT_TRUE(s.store.keep(QStringLiteral("SCH01.DAT"), "first").ok);
    EXPECT_EQ(s.names(QStringLiteral("SCH01.DAT")), QStringList{QStringLiteral("2026-12-09T08-15-02.DAT")});
    EXPECT_TRUE(QFileInfo::exists(s.home.file(QStringLiteral("backups/SCH01.DAT/2026-12-09T08-15-02.DAT"))));
    EXPECT_FALSE(QFileInfo::exists(s.home.file(QStringLiteral("zone_data")))) << "never inside the data folder";

    // The same bytes again: nothing new. Other bytes within the same second: a second version, numbered.
    ASSERT_TRUE(s.store.keep(QStringLiteral("SCH01.DAT"), "first").ok);
    ASSERT_TRUE(s.store.keep(QStringLiteral("SCH01.DAT"), "second").ok);
    ASSERT_TRUE(s.store.keep(QStringLiteral("SCH01.DAT"), "third").ok);
    EXPECT_EQ(s.names(QStringLiteral("SCH01.DAT")),
              (QStringList{QStringLiteral("2026-12-09T08-15-02.DAT"), QStringLiteral("2026-12-09T08-15-02-1.DAT"),
                           QStringLiteral("2026-12-09T08-15-02-2.DAT")}));
    // Back to earlier bytes: not the newest, so kept again.
    s.now = s.now.addSecs(60);
    ASSERT_TRUE(s.store.keep(QStringLiteral("SCH01.DAT"), "first").ok);
    const std::vector<BackupVersion> v = s.store.versions(QStringLiteral("SCH01.DAT"));
    ASSERT_EQ(v.size(), 4u);
    EXPECT_EQ(BackupStore::read(v.back()), QByteArray("first"));
    EXPECT_EQ(v.back().time, QDateTime(QDate(2026, 12, 9), QTime(8, 16, 2)));
    EXPECT_EQ(v.back().size, 5);
    EXPECT_EQ(BackupStore::read(v[1]), QByteArray("second"));

    // A damaged copy of the same bytes is kept with its mark; files are listed by name.
    ASSERT_TRUE(s.store.keep(QStringLiteral("SCH01.DAT"), "first", BackupVersion::Mark::Damaged).ok);
    EXPECT_EQ(s.store.versions(QStringLiteral("SCH01.DAT")).back().mark, BackupVersion::Mark::Damaged);
    EXPECT_TRUE(s.names(QStringLiteral("SCH01.DAT")).last().endsWith(QStringLiteral("-damaged.DAT")));
    ASSERT_TRUE(s.store.keep(QStringLiteral("REMOTE.DAT"), "keys").ok);
    EXPECT_EQ(s.store.files(), (QStringList{QStringLiteral("REMOTE.DAT"), QStringLiteral("SCH01.DAT")}));
    // Files in the folder that are not versions are left out.
    writeFile(s.home.file(QStringLiteral("backups/SCH01.DAT/notes.txt")), "x");
    EXPECT_EQ(s.store.versions(QStringLiteral("SCH01.DAT")).size(), 5u);
}

TEST(BackupStore, PruningDropsTheOldestWithinBothLimitsAndTheByteLimitIsNeverExceeded) {
    Store s;
    s.store.setLimits({5, qint64(1) << 30});
    for (int i = 0; i < 8; ++i) {
        s.now = s.now.addSecs(1);
        ASSERT_TRUE(s.store.keep(QStringLiteral("SCH02.DAT"), QByteArray::number(i)).ok);
    }
    std::vector<BackupVersion> v = s.store.versions(QStringLiteral("SCH02.DAT"));
    ASSERT_EQ(v.size(), 5u);
    EXPECT_EQ(BackupStore::read(v.front()), QByteArray("3"));
    EXPECT_EQ(BackupStore::read(v.back()), QByteArray("7"));

    // 256 MB is the default; here 1 MB: big versions push out the old ones, down to the newest alone.
    s.store.setLimits({50, qint64(1) << 20});
    for (int i = 0; i < 4; ++i) {
        s.now = s.now.addSecs(1);
        ASSERT_TRUE(s.store.keep(QStringLiteral("SCH02.DAT"), QByteArray(400 * 1024, char('a' + i))).ok);
    }
    v = s.store.versions(QStringLiteral("SCH02.DAT"));
    ASSERT_EQ(v.size(), 2u) << "two of 400 KB fit in 1 MB, a third would not";
    EXPECT_EQ(BackupStore::read(v.front()), QByteArray(400 * 1024, 'c'));
    EXPECT_EQ(BackupStore::read(v.back()), QByteArray(400 * 1024, 'd'));
    // A version larger than the limit is refused with a reason and the kept ones stay.
    const SaveResult tooLarge = s.store.keep(QStringLiteral("SCH02.DAT"), QByteArray((1 << 20) + 1, 'x'));
    EXPECT_FALSE(tooLarge.ok);
    EXPECT_TRUE(tooLarge.error.contains(QStringLiteral("not kept"))) << tooLarge.error.toStdString();
    EXPECT_EQ(s.store.versions(QStringLiteral("SCH02.DAT")).size(), 2u);

    // A keep below three still keeps three.
    s.store.setLimits({1, qint64(1) << 30});
    s.now = s.now.addSecs(1);
    ASSERT_TRUE(s.store.keep(QStringLiteral("SCH02.DAT"), "small").ok);
    EXPECT_EQ(s.store.versions(QStringLiteral("SCH02.DAT")).size(), 3u);
}

TEST(BackupStore, ADamagedVersionIsNeverPrunedCountsTowardNoLimitAndIsKeptOnce) {
    Store s;
    s.store.setLimits({3, qint64(1) << 20});
    ASSERT_TRUE(s.store.keep(QStringLiteral("SCH01.DAT"), QByteArray(700 * 1024, 'd'), BackupVersion::Mark::Damaged).ok);
    for (int i = 0; i < 6; ++i) {
        s.now = s.now.addSecs(1);
        ASSERT_TRUE(s.store.keep(QStringLiteral("SCH01.DAT"), QByteArray(200 * 1024, char('a' + i))).ok);
        // The same damaged bytes, seen again after other versions (an undo into the damaged file): not kept again.
        ASSERT_TRUE(
            s.store.keep(QStringLiteral("SCH01.DAT"), QByteArray(700 * 1024, 'd'), BackupVersion::Mark::Damaged).ok);
    }
    int damaged = 0;
    int ordinary = 0;
    for (const BackupVersion& v : s.store.versions(QStringLiteral("SCH01.DAT")))
        (v.mark == BackupVersion::Mark::Damaged ? damaged : ordinary) += 1;
    EXPECT_EQ(damaged, 1);
    EXPECT_EQ(ordinary, 3) << "700 KB damaged + 3 x 200 KB exceed 1 MB: the damaged one does not count";
}

TEST(BackupStore, AnImportsVersionsFormOneGroupEvenWhenUnchanged) {
    Store s;
    ASSERT_TRUE(s.store.keep(QStringLiteral("SCH01.DAT"), "one").ok);
    const QString stem = s.store.newGroupStem();
    EXPECT_EQ(stem, QStringLiteral("2026-12-09T08-15-02-1")) << "the plain stem is taken by SCH01's version";
    for (const char* file : {"SCH01.DAT", "SCH02.DAT"})
        ASSERT_TRUE(s.store.keep(QString::fromLatin1(file), "one", BackupVersion::Mark::Import, stem).ok);
    const std::vector<BackupVersion> group = s.store.group(stem);
    ASSERT_EQ(group.size(), 2u);
    EXPECT_EQ(group[0].file, QStringLiteral("SCH01.DAT"));
    EXPECT_EQ(group[1].file, QStringLiteral("SCH02.DAT"));
    EXPECT_EQ(s.store.versions(QStringLiteral("SCH01.DAT")).size(), 2u) << "kept although the bytes are the same";
    EXPECT_TRUE(s.store.group(QStringLiteral("2026-12-09T08-15-02")).empty()) << "a plain version is no group";
}

TEST(BackupStore, LimitsComeFromConfigIniAndBadValuesKeepTheDefaults) {
    TempHome home;
    SettingsFiles settings(home.path());
    BackupStore::Limits limits = BackupStore::limitsFrom(settings);
    EXPECT_EQ(limits.keep, 50);
    EXPECT_EQ(limits.maxBytes, qint64(256) << 20);
    writeFile(home.file(QStringLiteral("Config.ini")), "[Backup]\nkeep=12\nmaxMB=64\n");
    limits = BackupStore::limitsFrom(settings);
    EXPECT_EQ(limits.keep, 12);
    EXPECT_EQ(limits.maxBytes, qint64(64) << 20);
    writeFile(home.file(QStringLiteral("Config.ini")), "[Backup]\nkeep=0\nmaxMB=-5\n");
    limits = BackupStore::limitsFrom(settings);
    EXPECT_EQ(limits.keep, 50);
    EXPECT_EQ(limits.maxBytes, qint64(256) << 20);
}

TEST(BackupStore, AFailedKeepIsReported) {
    TempHome home;
    writeFile(home.file(QStringLiteral("backups")), "a file where the folder should be");
    BackupStore store(home.path());
    const SaveResult r = store.keep(QStringLiteral("SCH01.DAT"), "bytes");
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.error.isEmpty());
}

// Large versions pruned by size leave the list at once and their bytes go behind the caller's back; what an ended
// program left on its way out goes with the next prune, and no kept version is ever taken for it.
TEST(BackupStore, LargeVersionsPrunedBySizeLeaveAtOnceAndTheirBytesGoAfter) {
    Store s;
    const QString file = QStringLiteral("SCH01.DAT");
    s.store.setLimits({50, qint64(5) << 20});
    for (int i = 0; i < 5; ++i) {
        s.now = s.now.addSecs(1);
        ASSERT_TRUE(s.store.keep(file, QByteArray(2 << 20, char('a' + i))).ok);
    }
    const std::vector<BackupVersion> v = s.store.versions(file);
    ASSERT_EQ(v.size(), 2u) << "two of 2 MB fit in 5 MB, a third would not";
    EXPECT_EQ(BackupStore::read(v.front()), QByteArray(2 << 20, 'd'));
    EXPECT_EQ(BackupStore::read(v.back()), QByteArray(2 << 20, 'e'));
    const QDir dir(s.store.folder() + u'/' + file);
    const auto leftOver = [&] { return dir.entryList(QDir::Files | QDir::Hidden).size(); };
    for (int wait = 0; wait < 200 && leftOver() > 2; ++wait)
        QThread::msleep(10);
    EXPECT_EQ(leftOver(), 2) << dir.entryList(QDir::Files | QDir::Hidden).join(u' ').toStdString();

    writeFile(dir.filePath(QStringLiteral(".removing-2026-12-09T08-00-00.DAT")), "left by an ended program");
    s.now = s.now.addSecs(1);
    ASSERT_TRUE(s.store.keep(file, "small").ok);
    EXPECT_EQ(s.store.versions(file).size(), 3u);
    for (int wait = 0; wait < 200 && leftOver() > 3; ++wait)
        QThread::msleep(10);
    EXPECT_EQ(leftOver(), 3);
}
