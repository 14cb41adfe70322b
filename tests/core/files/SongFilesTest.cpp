#include "TestSupport.h"

#include "core/files/SongFiles.h"

#include <QDir>

#include <gtest/gtest.h>

using namespace quorvan;
using namespace quorvan::test;

TEST(SongFiles, ExtensionsCountInAnyLetterCase) {
    for (const char* name : {"a.mp3", "B.MP3", "c.Flac", "d.wav", "e.WMA", "f.aac", "g.ogg", "h.ApE", "/x/y/z.mp3"})
        EXPECT_TRUE(isSongFile(QString::fromUtf8(name))) << name;
    for (const char* name : {"notes.txt", "mp3", "a.mp3.txt", "a.mp4", "folder.mp3/", ""})
        EXPECT_FALSE(isSongFile(QString::fromUtf8(name))) << name;
}

// What a drop from a file manager adds: files in the order dropped, a folder's own song files by name as a file
// manager sorts them, nothing from deeper folders, nothing that is not a song or does not exist.
TEST(SongFiles, ADropGivesItsFilesInOrderAndAFolderItsOwnSongsByName) {
    TempHome home;
    const QString folder = home.file(QStringLiteral("铃声"));
    ASSERT_TRUE(QDir().mkpath(folder + QStringLiteral("/deeper")));
    for (const char* name : {"铃声/10 下课.ogg", "铃声/2 上课.flac", "铃声/Anthem.MP3", "铃声/readme.txt",
                             "铃声/deeper/skip.mp3", "b.MP3", "a.mp3", "notes.txt"})
        writeFile(home.file(QString::fromUtf8(name)), "x");

    const QStringList songs =
        songFilesIn({home.file(QStringLiteral("notes.txt")), home.file(QStringLiteral("b.MP3")), folder,
                     home.file(QStringLiteral("gone.mp3")), home.file(QStringLiteral("a.mp3"))});
    EXPECT_EQ(songs, QStringList({home.file(QStringLiteral("b.MP3")), folder + QStringLiteral("/2 上课.flac"),
                                  folder + QStringLiteral("/10 下课.ogg"), folder + QStringLiteral("/Anthem.MP3"),
                                  home.file(QStringLiteral("a.mp3"))}));
    EXPECT_TRUE(songFilesIn({}).isEmpty());
}
