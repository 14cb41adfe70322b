// A save that is cut off at any moment, or refused by the file system, never leaves anything but the previous
// or the new schedule in the data file.
#include "TestSupport.h"

#include "model/DeviceFiles.h"
#include "model/ModelState.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

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
        e.playlistCount = kMaxSongs;
        e.mp3TrackCount = kMaxSongs;
        for (int j = 0; j < kMaxSongs; ++j)
            setSongName(e.playlist[j], QString(200, QChar(mark)) + QString::number(i * 1000 + j));
        appendEntry(*table, e);
    }
    return table;
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

    QElapsedTimer timer;
    timer.start();
    ASSERT_TRUE(saveTableFile(path, *a).ok);
    const qint64 saveNs = std::max<qint64>(timer.nsecsElapsed(), 1'000'000);
    ASSERT_TRUE(saveTableFile(path, *b).ok);

    std::mt19937 random(20261209);
    // Kill moments spread over two whole saves of the child, which saves A, B, A, B ... back to back.
    std::uniform_int_distribution<qint64> moment(0, 2 * saveNs);
    int sawA = 0, sawB = 0;
    constexpr int kKills = 30;
    for (int k = 0; k < kKills; ++k) {
        ASSERT_TRUE(saveTableFile(path, *b).ok); // each child starts from B and first saves A
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (int n = 0;; ++n)
                saveTableFile(path, n % 2 == 0 ? *a : *b);
        }
        const qint64 delay = moment(random);
        timespec pause{time_t(delay / 1'000'000'000), long(delay % 1'000'000'000)};
        nanosleep(&pause, nullptr);
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status));

        const QByteArray now = readFile(path);
        const bool isA = now == bytesA, isB = now == bytesB;
        ASSERT_TRUE(isA || isB) << "kill " << k << " after " << delay << " ns left " << now.size() << " bytes";
        sawA += isA;
        sawB += isB;
    }
    EXPECT_GT(sawA, 0) << "no kill landed after a completed save";
    EXPECT_GT(sawB, 0) << "no kill landed inside the first save";

    // Killed saves leave their temporary files behind; they are never read as the data file and never block
    // the next save.
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
