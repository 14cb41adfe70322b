// A save is durable only when the folder is flushed after the new file has been renamed into place: otherwise a
// power cut can bring back the old directory entry. The test binary provides its own fsync, which records what
// was synced and what the target file held at that moment, and then syncs for real.
#include "TestSupport.h"

#include "core/files/AtomicFile.h"
#include "core/files/ScheduleFile.h"
#include "core/schedule/ScheduleModel.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

using namespace quorvan;
using namespace quorvan::test;

namespace {

struct SyncCall {
    std::string path;   // what the descriptor names
    bool folder;        // a directory was synced
    QByteArray watched; // the watched file's bytes at that moment
};

// Filled only while a test watches a file; the program is single-threaded where it saves.
bool g_recording = false;
std::string g_watchedPath;
std::vector<SyncCall> g_calls;

QByteArray bytesOf(const std::string& path) {
    QByteArray bytes;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return bytes;
    char buffer[65536];
    for (ssize_t got; (got = ::read(fd, buffer, sizeof buffer)) > 0;)
        bytes.append(buffer, qsizetype(got));
    ::close(fd);
    return bytes;
}

} // namespace

extern "C" int fsync(int fd) {
    if (g_recording) {
        char link[64];
        std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
        char target[PATH_MAX] = {};
        const ssize_t n = ::readlink(link, target, sizeof target - 1);
        struct stat st {};
        const bool folder = ::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode);
        g_calls.push_back({std::string(target, n > 0 ? std::size_t(n) : 0), folder, bytesOf(g_watchedPath)});
    }
    return int(::syscall(SYS_fsync, fd));
}

namespace {

class FolderSync : public ::testing::Test {
protected:
    void watch(const QString& path) {
        g_watchedPath = QFile::encodeName(path).toStdString();
        g_calls.clear();
        g_recording = true;
    }
    void TearDown() override { g_recording = false; }

    // Whether the folder of path was synced at a moment when path already held bytes.
    static bool folderSyncedWith(const QString& path, const QByteArray& bytes) {
        const std::string folder = QFile::encodeName(QFileInfo(path).absolutePath()).toStdString();
        for (const SyncCall& call : g_calls)
            if (call.folder && call.path == folder && call.watched == bytes)
                return true;
        return false;
    }

    TempHome home;
};

} // namespace

TEST_F(FolderSync, AScheduleSaveSyncsTheFolderAfterTheNewFileIsInPlace) {
    const QString path = home.file(QStringLiteral("SCH01.DAT"));
    writeFile(path, "the previous schedule");
    auto table = makeTable();
    appendEntry(*table, exampleEntry());

    watch(path);
    ASSERT_TRUE(saveTableFile(path, *table).ok);
    g_recording = false;
    EXPECT_TRUE(folderSyncedWith(path, exampleFileBytes()))
        << g_calls.size() << " sync calls; none of the folder after the rename";
    EXPECT_FALSE(g_calls.empty());
}

TEST_F(FolderSync, EveryAtomicWriteSyncsItsFolderAfterTheRename) {
    // Settings files and card copies go through the same writer.
    const QString path = home.file(QStringLiteral("Config.ini"));
    writeFile(path, "[LanguageSelect]\nID=2\n");
    watch(path);
    ASSERT_TRUE(writeFileAtomically(path, QByteArrayLiteral("[LanguageSelect]\nID=1\n")).ok);
    g_recording = false;
    EXPECT_TRUE(folderSyncedWith(path, QByteArrayLiteral("[LanguageSelect]\nID=1\n")));
}
