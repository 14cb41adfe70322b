#include "core/player/PlaylistFile.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

namespace quorvan {
namespace {

using test::TempHome;

TEST(PlaylistFile, ChineseNamesRoundTripRelativeBelowTheListsFolderAndAbsoluteElsewhere) {
    const TempHome home;
    const QString list = home.file(QStringLiteral("列表/早晨.m3u8"));
    const QStringList songs{
        home.file(QStringLiteral("列表/国歌.mp3")),
        home.file(QStringLiteral("列表/校园/铃声 2.WAV")),
        home.file(QStringLiteral("其他/广播.flac")), // beside the list's folder, not below it
        QStringLiteral("/音乐/课间操.mp3"),
        home.file(QStringLiteral("列表/#1 开场.mp3")),
        home.file(QStringLiteral("列表/two\nlines.mp3")),
    };

    const QByteArray bytes = playlistBytes(songs, list);
    const QList<QByteArray> lines = bytes.split('\n');
    ASSERT_EQ(lines.size(), 8); // header, six songs, nothing after the last line end
    EXPECT_EQ(lines[0], QByteArrayLiteral("#EXTM3U"));
    EXPECT_EQ(QString::fromUtf8(lines[1]), QStringLiteral("国歌.mp3"));
    EXPECT_EQ(QString::fromUtf8(lines[2]), QStringLiteral("校园/铃声 2.WAV"));
    EXPECT_EQ(QString::fromUtf8(lines[3]), home.file(QStringLiteral("其他/广播.flac")));
    EXPECT_EQ(QString::fromUtf8(lines[4]), QStringLiteral("/音乐/课间操.mp3"));
    EXPECT_EQ(QString::fromUtf8(lines[5]), QStringLiteral("./#1 开场.mp3")); // not a comment
    EXPECT_TRUE(lines[6].startsWith("file:///")) << lines[6].constData();
    EXPECT_TRUE(lines[7].isEmpty());

    EXPECT_EQ(playlistSongs(bytes, list), songs);

    // Read from another folder, the relative lines follow the list.
    const QStringList moved = playlistSongs(bytes, QStringLiteral("/elsewhere/a.m3u"));
    EXPECT_EQ(moved.value(0), QStringLiteral("/elsewhere/国歌.mp3"));
    EXPECT_EQ(moved.value(3), QStringLiteral("/音乐/课间操.mp3"));
}

TEST(PlaylistFile, ReadingTakesBomCrlfCommentsBlankLinesAndUrls) {
    const QByteArray bytes = QByteArrayLiteral("\xEF\xBB\xBF#EXTM3U\r\n"
                                               "#EXTINF:123,Someone - Something\r\n"
                                               "a.mp3\r\n"
                                               "\r\n"
                                               "   \n"
                                               "../up/b.mp3\r\n"
                                               "sub/./c.mp3\n"
                                               "/abs/d.mp3\r\n"
                                               "file:///abs/%E9%93%83.mp3\n"
                                               "e.mp3"); // no line end after the last song
    EXPECT_EQ(
        playlistSongs(bytes, QStringLiteral("/lists/x.m3u")),
        (QStringList{QStringLiteral("/lists/a.mp3"), QStringLiteral("/up/b.mp3"), QStringLiteral("/lists/sub/c.mp3"),
                     QStringLiteral("/abs/d.mp3"), QStringLiteral("/abs/铃.mp3"), QStringLiteral("/lists/e.mp3")}));
}

} // namespace
} // namespace quorvan
