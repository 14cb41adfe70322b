// A save that is cut off at any moment, or refused by the file system, never leaves anything but the previous
// or the new schedule in the data file.
#include "TestSupport.h"

#include "core/files/ScheduleFile.h"
#include "core/history/BackupStore.h"
#include "core/history/Restore.h"
#include "core/schedule/ScheduleModel.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <random>

using namespace quorvan;
using namespace quorvan::test;

namespace {

std::unique_ptr<ScheduleTable> largestTable(char16_t mark) {
    auto table = makeTable();
    for (int i = 0; i < kMaxEntries; ++i) {
        TimingEntry e{};
        e.used = 1;
        e.weekdays = mark;
        e.sourceMask = 1;
        e.playlistOnCard = 1;
        e.playlist.clear();
        for (int j = 0; j < kMaxSongs; ++j)
            e.playlist << QString(200, QChar(mark)) + QString::number(i * 1000 + j);
        appendEntry(*table, e);
    }
    return table;
}

} // namespace

namespace {

// A child process that runs step(0), step(1), ... back to back and writes one byte to a pipe after each.
class RepeatingChild {
public:
    explicit RepeatingChild(const std::function<void(int)>& step) {
        int fds[2];
        EXPECT_EQ(pipe(fds), 0);
        m_pid = fork();
        if (m_pid == 0) {
            ::close(fds[0]);
            for (int n = 0;; ++n) {
                step(n);
                if (::write(fds[1], "s", 1) != 1)
                    _exit(0);
            }
        }
        ::close(fds[1]);
        m_progress = fds[0];
    }
    ~RepeatingChild() {
        kill();
        ::close(m_progress);
    }
    // Blocks until the child finishes its next step.
    bool waitForSave() {
        char c;
        return ::read(m_progress, &c, 1) == 1;
    }
    void kill() {
        if (m_pid > 0) {
            ::kill(m_pid, SIGKILL);
            int status = 0;
            waitpid(m_pid, &status, 0);
            m_killed = WIFSIGNALED(status);
            m_pid = -1;
        }
    }
    bool killed() const { return m_killed; }
    // Steps the child finished after the last waitForSave (read once it is dead).
    int savesSinceWait() const {
        ::fcntl(m_progress, F_SETFL, O_NONBLOCK);
        int n = 0;
        char c;
        while (::read(m_progress, &c, 1) == 1)
            ++n;
        return n;
    }

private:
    pid_t m_pid = -1;
    int m_progress = -1;
    bool m_killed = false;
};

void sleepNs(qint64 ns) {
    timespec pause{time_t(ns / 1'000'000'000), long(ns % 1'000'000'000)};
    nanosleep(&pause, nullptr);
}

} // namespace

TEST(CrashSafety, SavesKilledAtRandomMomentsLeaveTheOldOrTheNewFile) {
    TempHome home;
    const QString path = home.file(QStringLiteral("SCH01.DAT"));
    const auto a = largestTable(u'A');
    const auto b = largestTable(u'B');
    const QByteArray bytesA = serializeTable(*a);
    const QByteArray bytesB = serializeTable(*b);
    ASSERT_EQ(bytesA.size(), 40783880);
    ASSERT_TRUE(saveTableFile(path, *b).ok);

    // How long one save takes in a child, measured between two of its saves.
    qint64 saveNs = 0;
    {
        RepeatingChild child([&](int n) { saveTableFile(path, n % 2 == 0 ? *a : *b); });
        ASSERT_TRUE(child.waitForSave());
        QElapsedTimer timer;
        timer.start();
        ASSERT_TRUE(child.waitForSave());
        saveNs = timer.nsecsElapsed();
    }

    // Kills spread over a save, from its first to its last part, with a random jitter, until kWanted of them have
    // landed inside one. A kill that came after the save had ended (a loaded machine runs a save at another
    // speed than measured) counts for nothing and shortens the estimate, so the kills keep finding the save.
    std::mt19937 random(20261209);
    std::uniform_real_distribution<double> jitter(0.0, 1.0);
    constexpr int kWanted = 30;
    constexpr int kMaxKills = 150;
    double estimateNs = double(saveNs);
    int midSave = 0;
    int kills = 0;
    for (; midSave < kWanted && kills < kMaxKills; ++kills) {
        {
            RepeatingChild child([&](int n) { saveTableFile(path, n % 2 == 0 ? *a : *b); });
            ASSERT_TRUE(child.waitForSave());
            const double phase = (midSave + jitter(random)) / kWanted;
            sleepNs(qint64(phase * estimateNs));
            child.kill();
            ASSERT_TRUE(child.killed());
            if (child.savesSinceWait() == 0)
                ++midSave;
            else
                estimateNs *= 0.85;
        }
        const QByteArray now = readFile(path);
        ASSERT_TRUE(now == bytesA || now == bytesB) << "kill " << kills << " left " << now.size() << " bytes";
    }
    EXPECT_EQ(midSave, kWanted) << "kills inside a save, of " << kills;

    // Whatever a killed save leaves behind is never read as the data file and never blocks the next save.
    for (const QString& name : QDir(home.path()).entryList(QDir::Files)) {
        if (name != QStringLiteral("SCH01.DAT")) {
            EXPECT_TRUE(name.startsWith(QStringLiteral("SCH01.DAT."))) << name.toStdString();
        }
    }
    auto loaded = makeTable();
    EXPECT_EQ(loadTableFile(path, *loaded), 256);
    EXPECT_TRUE(saveTableFile(path, *a).ok);
    EXPECT_EQ(readFile(path), bytesA);
}

TEST(CrashSafety, ReadOnlyFolderRefusesTheSaveAndKeepsTheOldFile) {
    TempHome home;
    const QString folder = home.file(QStringLiteral("zone_data"));
    auto table = makeTable();
    appendEntry(*table, exampleEntry());
    ASSERT_TRUE(saveTable(home.path(), QStringLiteral("SCH01.DAT"), *table).ok);
    const QString path = folder + QStringLiteral("/SCH01.DAT");
    const QByteArray before = readFile(path);
    appendEntry(*table, exampleEntry());

    const auto readOnly = QFileDevice::ReadOwner | QFileDevice::ExeOwner | QFileDevice::ReadGroup |
                          QFileDevice::ExeGroup | QFileDevice::ReadOther | QFileDevice::ExeOther;
    ASSERT_TRUE(QFile::setPermissions(folder, readOnly));
    ASSERT_TRUE(QFile::setPermissions(home.path(), readOnly | QFileDevice::WriteOwner));

    if (geteuid() != 0) {
        const SaveResult result = saveTable(home.path(), QStringLiteral("SCH01.DAT"), *table);
        EXPECT_FALSE(result.ok);
        EXPECT_TRUE(result.error.contains(QStringLiteral("SCH01.DAT")));
    } else {
        // Root writes anywhere: try the save as an ordinary user, as an operator would run the program.
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            if (setgid(65534) != 0 || setuid(65534) != 0)
                _exit(3);
            const SaveResult result = saveTable(home.path(), QStringLiteral("SCH01.DAT"), *table);
            _exit(result.ok ? 1 : (result.error.contains(QStringLiteral("SCH01.DAT")) ? 0 : 2));
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 0) << "1: the save claimed success, 2: the reason lacks the file name";
    }
    EXPECT_EQ(readFile(path), before);
    QFile::setPermissions(folder, readOnly | QFileDevice::WriteOwner);
}

TEST(CrashSafety, RestoresKilledAtRandomMomentsLeaveTheOldOrTheNewFile) {
    // Two kept versions of a schedule of about 10 MB; a child restores one, then the other, again and again.
    TempHome home;
    const QString data = dataFolderPath(home.path());
    const QString path = data + QStringLiteral("SCH01.DAT");
    auto a = largestTable(u'A');
    auto b = largestTable(u'B');
    a->entries.resize(64);
    b->entries.resize(64);
    const QByteArray bytesA = serializeTable(*a);
    const QByteArray bytesB = serializeTable(*b);
    QDateTime now(QDate(2026, 12, 9), QTime(8, 0, 0));
    BackupStore kept(home.file(QStringLiteral("kept")));
    kept.setClock([&now] { return now; });
    ASSERT_TRUE(kept.keep(QStringLiteral("SCH01.DAT"), bytesA).ok);
    now = now.addSecs(1);
    ASSERT_TRUE(kept.keep(QStringLiteral("SCH01.DAT"), bytesB).ok);
    const std::vector<BackupVersion> versions = kept.versions(QStringLiteral("SCH01.DAT"));
    ASSERT_EQ(versions.size(), 2u);
    writeFile(path, bytesB);
    BackupStore replaced(home.path()); // what each restore keeps of the file it replaces
    replaced.setLimits({3, qint64(1) << 30});
    const auto restore = [&](int n) {
        restoreVersions(data, {versions[std::size_t(n % 2)]}, replaced, {StepLabel::Kind::Restore, {}, -1, {}});
    };

    qint64 stepNs = 0;
    {
        RepeatingChild child(restore);
        ASSERT_TRUE(child.waitForSave());
        QElapsedTimer timer;
        timer.start();
        ASSERT_TRUE(child.waitForSave());
        stepNs = timer.nsecsElapsed();
    }
    std::mt19937 random(20261210);
    std::uniform_real_distribution<double> jitter(0.0, 1.0);
    constexpr int kKills = 20;
    for (int k = 0; k < kKills; ++k) {
        {
            RepeatingChild child(restore);
            ASSERT_TRUE(child.waitForSave());
            sleepNs(qint64((k + jitter(random)) / kKills * double(stepNs)));
            child.kill();
            ASSERT_TRUE(child.killed());
        }
        const QByteArray now = readFile(path);
        ASSERT_TRUE(now == bytesA || now == bytesB) << "kill " << k << " left " << now.size() << " bytes";
    }
    for (const QString& name : QDir(data).entryList(QDir::Files)) {
        if (name != QStringLiteral("SCH01.DAT")) {
            EXPECT_TRUE(name.startsWith(QStringLiteral("SCH01.DAT."))) << name.toStdString();
        }
    }
}
