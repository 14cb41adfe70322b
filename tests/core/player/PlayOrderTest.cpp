#include "core/player/PlayOrder.h"

#include <gtest/gtest.h>

#include <deque>
#include <random>
#include <set>

using namespace quorvan;

namespace {

QStringList songPaths(int n) {
    QStringList paths;
    for (int i = 0; i < n; ++i)
        paths << QStringLiteral("/music/song%1.mp3").arg(i);
    return paths;
}

QString songPath(int i) {
    return QStringLiteral("/music/song%1.mp3").arg(i);
}

// The test's songs are names only; they count as there unless a test says otherwise.
bool allThere(const QString&) {
    return true;
}

// Index of the song an action starts, -1 when it starts none.
int started(const PlayOrder& order, const PlayAction& action) {
    return action.play.isEmpty() ? -1 : int(order.paths().indexOf(action.play));
}

class PlayOrderTest : public ::testing::Test {
protected:
    std::mt19937 rng{20261209};
    PlayOrder order{[this] { return int(rng()); }, allThere};
};

TEST_F(PlayOrderTest, AddedSongsStartAtOnceAndFollowInOrderUntilThePassEnds) {
    const PlayAction added = order.add(songPaths(3));
    EXPECT_EQ(order.names(),
              (QStringList{QStringLiteral("song0.mp3"), QStringLiteral("song1.mp3"), QStringLiteral("song2.mp3")}));
    EXPECT_EQ(added.play, songPath(0));
    EXPECT_FALSE(added.dropSource);
    EXPECT_TRUE(added.select);
    EXPECT_EQ(added.selectRow, 0); // the line of the song that plays
    EXPECT_TRUE(order.playing());

    // While the song plays, ticks change nothing.
    EXPECT_TRUE(order.tick(PlayState::Playing).play.isEmpty());
    for (int next : {1, 2}) {
        const PlayAction step = order.tick(PlayState::Stopped);
        EXPECT_TRUE(step.dropSource);
        EXPECT_EQ(step.play, songPath(next));
        EXPECT_TRUE(step.select);
        EXPECT_EQ(step.selectRow, next);
        EXPECT_TRUE(order.playing());
    }

    // Repeat once: after the last song no line stays selected and nothing more plays.
    const PlayAction end = order.tick(PlayState::Stopped);
    EXPECT_TRUE(end.dropSource);
    EXPECT_TRUE(end.play.isEmpty());
    EXPECT_TRUE(end.select);
    EXPECT_EQ(end.selectRow, -1);
    EXPECT_FALSE(order.playing());
    EXPECT_TRUE(order.tick(PlayState::Stopped).play.isEmpty());
    EXPECT_FALSE(order.playing());

    // A later Add starts its first file, not the old list.
    const PlayAction more = order.add({QStringLiteral("/other/a.wav"), QStringLiteral("/other/b.wav")});
    EXPECT_EQ(more.play, QStringLiteral("/other/a.wav"));
    EXPECT_EQ(order.current(), 3);
    EXPECT_EQ(more.selectRow, 3);
    EXPECT_EQ(order.paths().size(), order.names().size());
}

TEST_F(PlayOrderTest, RepeatAllStartsOverInOrderAndRepeatsALoneSongAtRandom) {
    order.setRepeatMode(PlayOrder::All);
    order.add(songPaths(2));
    EXPECT_EQ(order.tick(PlayState::Stopped).play, songPath(1));
    const PlayAction again = order.tick(PlayState::Stopped);
    EXPECT_EQ(again.play, songPath(0));
    EXPECT_EQ(again.selectRow, 0);
    EXPECT_TRUE(order.playing());
    EXPECT_EQ(order.tick(PlayState::Stopped).play, songPath(1));

    PlayOrder single{[this] { return int(rng()); }, allThere};
    single.setPlayMode(PlayOrder::RandomPlay);
    single.setRepeatMode(PlayOrder::All);
    single.add({songPath(7)});
    for (int i = 0; i < 5; ++i) {
        const PlayAction step = single.tick(PlayState::Stopped);
        EXPECT_EQ(step.play, songPath(7)) << "tick " << i;
        EXPECT_EQ(step.selectRow, 0);
        EXPECT_TRUE(single.playing());
    }
}

TEST_F(PlayOrderTest, RandomPassPlaysEverySongExactlyOnceBeyondAHundredSongs) {
    constexpr int kSongs = 150;
    order.setPlayMode(PlayOrder::RandomPlay);
    const PlayAction first = order.add(songPaths(kSongs));
    std::set<int> played{started(order, first)};
    for (int i = 1; i < kSongs; ++i) {
        const int song = started(order, order.tick(PlayState::Stopped));
        ASSERT_GE(song, 0) << "tick " << i;
        EXPECT_TRUE(played.insert(song).second) << "song " << song << " played twice";
    }
    EXPECT_EQ(int(played.size()), kSongs);

    // Once: the pass ends on the last song played, which stays selected.
    const int last = order.current();
    const PlayAction end = order.tick(PlayState::Stopped);
    EXPECT_TRUE(end.play.isEmpty());
    EXPECT_EQ(end.selectRow, last);
    EXPECT_FALSE(order.playing());

    // All: the next pass opens with another song and clears the marks.
    order.setRepeatMode(PlayOrder::All);
    const int opener = started(order, order.tick(PlayState::Stopped));
    EXPECT_GE(opener, 0);
    EXPECT_NE(opener, last);
    EXPECT_EQ(order.markedCount(), 0);
}

TEST_F(PlayOrderTest, RandomDrawTakesTheFirstUnmarkedSongModuloTheCount) {
    std::deque<int> draws{0, 3, 4, -5, 2};
    const auto draw = [&draws] {
        const int r = draws.front();
        draws.pop_front();
        return r;
    };
    PlayOrder scripted{draw, allThere};
    scripted.setPlayMode(PlayOrder::RandomPlay);
    scripted.add(songPaths(3));
    // Song 0 is marked when it ends, so 0 and 3 are drawn again; 4 gives song 1.
    EXPECT_EQ(started(scripted, scripted.tick(PlayState::Stopped)), 1);
    EXPECT_TRUE(scripted.isMarked(0));
    EXPECT_EQ(draws.size(), 2u);
    // A negative draw still lands on a song; only song 2 is left.
    EXPECT_EQ(started(scripted, scripted.tick(PlayState::Stopped)), 2);
    // Every song played: the pass ends without another draw.
    EXPECT_TRUE(scripted.tick(PlayState::Stopped).play.isEmpty());
    EXPECT_EQ(scripted.markedCount(), 3);
}

TEST_F(PlayOrderTest, RandomRepeatAllNeverOpensTheNewPassWithTheSongThatJustEnded) {
    // The generator offers the song that just ended first; the new pass must draw again.
    std::deque<int> draws{1, 2, 2, 5, 0};
    const auto draw = [&draws] {
        const int r = draws.empty() ? 0 : draws.front();
        if (!draws.empty())
            draws.pop_front();
        return r;
    };
    PlayOrder scripted{draw, allThere};
    scripted.setPlayMode(PlayOrder::RandomPlay);
    scripted.setRepeatMode(PlayOrder::All);
    EXPECT_EQ(started(scripted, scripted.add(songPaths(3))), 0);
    EXPECT_EQ(started(scripted, scripted.tick(PlayState::Stopped)), 1);
    EXPECT_EQ(started(scripted, scripted.tick(PlayState::Stopped)), 2);
    // Song 2 ends the pass: the draws 2 (the song that ended) and 5 (2 again) are passed over, 0 opens it.
    const PlayAction opener = scripted.tick(PlayState::Stopped);
    EXPECT_EQ(started(scripted, opener), 0);
    EXPECT_EQ(opener.selectRow, 0);
    EXPECT_TRUE(draws.empty()) << "every draw was used";
    EXPECT_EQ(scripted.markedCount(), 0) << "the new pass starts with no song marked";
    EXPECT_TRUE(scripted.playing());
}

TEST_F(PlayOrderTest, MovedSongsKeepTheirPathsAndDoubleClickPlaysTheMovedFile) {
    order.add(songPaths(3));
    EXPECT_EQ(order.moveUp(0), 0);   // first line: nothing moves
    EXPECT_EQ(order.moveDown(2), 2); // last line
    EXPECT_EQ(order.moveDown(-1), -1);
    EXPECT_EQ(order.paths(), songPaths(3));

    EXPECT_EQ(order.moveDown(0), 1);
    EXPECT_EQ(order.moveUp(2), 1);
    EXPECT_EQ(order.names(),
              (QStringList{QStringLiteral("song1.mp3"), QStringLiteral("song2.mp3"), QStringLiteral("song0.mp3")}));
    EXPECT_EQ(order.paths(), (QStringList{songPath(1), songPath(2), songPath(0)}));

    const PlayAction click = order.doubleClick(2);
    EXPECT_EQ(click.play, songPath(0));
    EXPECT_EQ(click.selectRow, 2);
    EXPECT_EQ(order.current(), 2);
    EXPECT_TRUE(order.playing());
    EXPECT_TRUE(order.doubleClick(3).play.isEmpty());

    PlayOrder lone;
    lone.add({songPath(0)});
    EXPECT_EQ(lone.moveUp(0), 0);
    EXPECT_EQ(lone.moveDown(0), 0);
}

TEST_F(PlayOrderTest, DeletingLeavesTheSongThatPlaysAlone) {
    order.add(songPaths(4));
    order.doubleClick(2);
    EXPECT_EQ(order.remove(2), 2); // the playing song: the next line takes its place
    EXPECT_TRUE(order.playing());
    EXPECT_EQ(order.current(), 2);
    EXPECT_EQ(order.paths(), (QStringList{songPath(0), songPath(1), songPath(3)}));
    EXPECT_EQ(order.tick(PlayState::Playing).play, QString());
    EXPECT_TRUE(order.playing());

    EXPECT_EQ(order.remove(2), 1); // the last line: the new last line
    EXPECT_EQ(order.remove(5), -1);
    EXPECT_EQ(order.names().size(), 2);

    // Current now lies past the end; the pass is over when the song stops, nothing breaks.
    const PlayAction end = order.tick(PlayState::Stopped);
    EXPECT_TRUE(end.play.isEmpty());
    EXPECT_FALSE(order.playing());
    EXPECT_EQ(order.remove(0), 0);
    EXPECT_EQ(order.remove(0), -1);

    // Random mode with current past the end and an empty list.
    order.setPlayMode(PlayOrder::RandomPlay);
    order.setRepeatMode(PlayOrder::All);
    EXPECT_TRUE(order.tick(PlayState::Stopped).play.isEmpty());
    EXPECT_FALSE(order.playing());
    order.setPlayMode(PlayOrder::Order);
    EXPECT_TRUE(order.tick(PlayState::Stopped).play.isEmpty());
    EXPECT_FALSE(order.playing());
}

TEST_F(PlayOrderTest, SwitchingToRandomMidPassSkipsTheSongsAlreadyPlayed) {
    order.add(songPaths(5));
    order.tick(PlayState::Stopped); // song 0 done
    order.tick(PlayState::Stopped); // song 1 done, song 2 plays
    EXPECT_TRUE(order.isMarked(0));
    EXPECT_TRUE(order.isMarked(1));
    EXPECT_FALSE(order.isMarked(2));

    order.setPlayMode(PlayOrder::RandomPlay);
    EXPECT_EQ(order.markedCount(), 2);
    std::set<int> rest;
    for (int i = 0; i < 2; ++i)
        rest.insert(started(order, order.tick(PlayState::Stopped)));
    EXPECT_EQ(rest, (std::set<int>{3, 4}));
    EXPECT_TRUE(order.tick(PlayState::Stopped).play.isEmpty());
    EXPECT_FALSE(order.playing());

    // A double-click in random mode opens a new pass: the four others follow it.
    order.doubleClick(1);
    EXPECT_EQ(order.markedCount(), 0);
    std::set<int> pass{1};
    for (int i = 0; i < 4; ++i)
        pass.insert(started(order, order.tick(PlayState::Stopped)));
    EXPECT_EQ(pass, (std::set<int>{0, 1, 2, 3, 4}));
}

TEST_F(PlayOrderTest, PausedAndPlayingOnlySetTheFlag) {
    order.add(songPaths(2));
    const PlayAction paused = order.tick(PlayState::Paused);
    EXPECT_FALSE(order.playing());
    EXPECT_FALSE(paused.dropSource);
    EXPECT_FALSE(paused.select);
    EXPECT_TRUE(paused.play.isEmpty());
    order.tick(PlayState::Playing);
    EXPECT_TRUE(order.playing());
    const PlayAction ignored = order.tick(PlayState::None); // no media: nothing to go on from
    EXPECT_FALSE(ignored.dropSource || ignored.select || !ignored.play.isEmpty());
    EXPECT_TRUE(order.playing());
    EXPECT_EQ(order.current(), 0);
}

TEST_F(PlayOrderTest, SongsWhoseFilesHaveGoneArePassedOverWithoutEndingThePass) {
    std::set<QString> gone{songPath(1), songPath(2), songPath(4)};
    order.setExists([&gone](const QString& path) { return !gone.count(path); });
    order.add(songPaths(5));
    const PlayAction next = order.tick(PlayState::Stopped);
    EXPECT_EQ(started(order, next), 3); // 1 and 2 passed over in one tick
    EXPECT_TRUE(next.skipped);
    EXPECT_TRUE(order.playing());
    EXPECT_EQ(order.count(), 5);
    EXPECT_TRUE(order.tick(PlayState::Stopped).play.isEmpty()); // 4 is gone too: the pass ends
    EXPECT_FALSE(order.playing());

    // Random repeat-all draws only songs that are there.
    order.setPlayMode(PlayOrder::RandomPlay);
    order.setRepeatMode(PlayOrder::All);
    std::multiset<int> played;
    for (int i = 0; i < 8; ++i)
        played.insert(started(order, order.tick(PlayState::Stopped)));
    EXPECT_EQ(played.count(0) + played.count(3), 8u);

    // Every file gone: the tick stops instead of going round for ever, in either mode.
    for (int mode : {PlayOrder::Order, PlayOrder::RandomPlay}) {
        order.setPlayMode(mode);
        gone.insert(songPath(0));
        gone.insert(songPath(3));
        order.doubleClick(3);
        EXPECT_TRUE(order.tick(PlayState::Stopped).play.isEmpty()) << mode;
        EXPECT_FALSE(order.playing());
    }
}

} // namespace
