#include <gtest/gtest.h>

#include "FakePrompts.h"
#include "TestSupport.h"
#include "WidgetProbe.h"

#include "core/history/BackupStore.h"
#include "core/player/PlaylistFile.h"
#include "core/schedule/ScheduleModel.h"
#include "core/serial/SerialLink.h"
#include "core/settings/NameTables.h"
#include "core/settings/SettingsFiles.h"
#include "core/texts/TextTable.h"
#include "ui/common/AppContext.h"
#include "ui/player/LoadedMediaEngine.h"
#include "ui/player/MediaEngine.h"
#include "ui/player/MediaTransport.h"
#include "ui/player/MusicPlayerWindow.h"
#include "ui/player/QtMediaEngine.h"

#include <QApplication>
#include <QComboBox>
#include <QDataStream>
#include <QDir>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMediaPlayer>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <cmath>
#include <memory>

namespace quorvan {
namespace {

using test::FakePrompts;
using test::TempHome;

// Records the sources it is given and reports the state the test sets.
class FakeMediaEngine : public MediaEngine {
public:
    void setSource(const QString& fullPath) override { sources << fullPath; }
    PlayState playState() const override { return state; }

    QStringList sources;
    PlayState state = PlayState::None;
};

// Half a second of a 440 Hz tone, 16-bit mono PCM at 8 kHz, as a RIFF/WAVE file.
QByteArray toneWav(int milliseconds) {
    constexpr int kRate = 8000;
    const int samples = kRate * milliseconds / 1000;
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    const auto tag = [&out](const char* fourCc) { out.writeRawData(fourCc, 4); };
    tag("RIFF");
    out << quint32(36 + samples * 2);
    tag("WAVE");
    tag("fmt ");
    out << quint32(16) << quint16(1) << quint16(1) << quint32(kRate) << quint32(kRate * 2) << quint16(2) << quint16(16);
    tag("data");
    out << quint32(samples * 2);
    for (int i = 0; i < samples; ++i)
        out << qint16(std::lround(8000.0 * std::sin(2.0 * M_PI * 440.0 * i / kRate)));
    return bytes;
}

class MusicPlayerTest : public ::testing::Test {
protected:
    MusicPlayerTest() { texts.loadEnglish(); }

    void open(MediaEngine& engine) {
        window = std::make_unique<MusicPlayerWindow>(context, engine);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    template <typename W> W* control(const QString& name) { return test::findControl<W>(window.get(), name); }
    QListWidget* songs() { return control<QListWidget>(QStringLiteral("songList")); }
    QComboBox* combo(const char* name) { return control<QComboBox>(QLatin1String(name)); }
    void click(const char* name) { control<QPushButton>(QLatin1String(name))->click(); }
    QStringList lines() { return test::listLines(songs()); }
    int selectedRow() { return test::selectedListRow(songs()); }
    QString makeFile(const QString& name, const QByteArray& bytes = QByteArrayLiteral("ID3")) {
        test::writeFile(home.file(name), bytes);
        return home.file(name);
    }
    // The real engine on the GStreamer backend; false when Qt found no media backend at all.
    bool makeRealEngine() {
        qputenv("QT_MEDIA_BACKEND", "gstreamer");
        realEngine = std::make_unique<QtMediaEngine>();
        return realEngine->available();
    }
    // Adds files through the Add button and the file chooser.
    void add(const QStringList& paths) {
        prompts.files.push_back(paths);
        click("addButton");
    }
    // Drags mime data from outside onto the song list and drops it there; false when the list refused it.
    bool drop(const QMimeData& mime) {
        QWidget* target = songs()->viewport();
        const QPoint at = target->rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        enter.setAccepted(false);
        QApplication::sendEvent(target, &enter);
        if (!enter.isAccepted())
            return false;
        QDropEvent dropped(QPointF(at), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        dropped.setAccepted(false);
        QApplication::sendEvent(target, &dropped);
        return dropped.isAccepted();
    }
    bool dropPaths(const QStringList& paths) {
        QList<QUrl> urls;
        for (const QString& path : paths)
            urls << QUrl::fromLocalFile(path);
        QMimeData mime;
        mime.setUrls(urls);
        return drop(mime);
    }
    QString makeFolder(const QString& name) {
        EXPECT_TRUE(QDir().mkpath(home.file(name)));
        return home.file(name);
    }
    bool greyed(int row) {
        QListWidgetItem* item = songs()->item(row);
        return item->foreground().color() == window->palette().color(QPalette::Disabled, QPalette::Text) &&
               !item->toolTip().isEmpty();
    }
    QStringList keptSongs() { return readPlaylist(settings.playerListPath()).songs; }

    TempHome home;
    TextTable texts;
    NameTables names;
    SettingsFiles settings{home.path()};
    SerialLink serial;
    FakePrompts prompts;
    ScheduleModel model{texts, home.path()};
    BackupStore backups{home.path()};
    AppContext context{texts, names, model, settings, serial, prompts, backups};
    // The engines outlive the window.
    FakeMediaEngine engine;
    std::unique_ptr<QtMediaEngine> realEngine;
    std::unique_ptr<MusicPlayerWindow> window;
};

TEST_F(MusicPlayerTest, AddPlaysTheFirstReadableFileAndTicksFollowTheEngine) {
    open(engine);
    const QString a = makeFile(QStringLiteral("a.mp3"));
    const QString b = makeFile(QStringLiteral("B.WAV"));
    add({home.file(QStringLiteral("missing.mp3")), a, b});

    EXPECT_EQ(lines(), (QStringList{QStringLiteral("a.mp3"), QStringLiteral("B.WAV")}));
    EXPECT_EQ(engine.sources, QStringList{a});
    EXPECT_EQ(selectedRow(), 0) << "the song that plays is the one highlighted";
    EXPECT_TRUE(window->playing());
    EXPECT_EQ(prompts.fileTitles, QStringList{QStringLiteral("Add")});
    const QString filter = prompts.fileFilters.value(0);
    EXPECT_TRUE(filter.startsWith(QStringLiteral("音乐文件 (")));
    for (const char* pattern : {"*.MP3", "*.mp3", "*.WAV", "*.wav", "*.FLAC", "*.flac", "*.ape"})
        EXPECT_TRUE(filter.contains(QString::fromLatin1(pattern))) << pattern;

    // Cancelling the chooser changes nothing.
    click("addButton");
    EXPECT_EQ(songs()->count(), 2);
    EXPECT_EQ(engine.sources.size(), 1);

    engine.state = PlayState::Paused;
    window->tick();
    EXPECT_FALSE(window->playing());
    engine.state = PlayState::Playing;
    window->tick();
    EXPECT_TRUE(window->playing());
    EXPECT_EQ(engine.sources.size(), 1);

    engine.state = PlayState::Stopped;
    window->tick();
    EXPECT_EQ(engine.sources, (QStringList{a, QString(), b}));
    EXPECT_EQ(selectedRow(), 1);
    EXPECT_TRUE(window->playing());

    // The last song stopped: the media is dropped and the pass ends.
    window->tick();
    EXPECT_EQ(engine.sources, (QStringList{a, QString(), b, QString()}));
    EXPECT_EQ(selectedRow(), -1);
    EXPECT_FALSE(window->playing());
    engine.state = PlayState::None;
    songs()->setCurrentRow(0);
    window->tick();
    EXPECT_EQ(engine.sources.size(), 4);
    EXPECT_EQ(selectedRow(), 0); // an idle tick leaves the user's selection alone
}

TEST_F(MusicPlayerTest, MovedSongPlaysOnDoubleClickAndDeletingThePlayingSongKeepsItPlaying) {
    open(engine);
    const QString a = makeFile(QStringLiteral("a.mp3"));
    const QString b = makeFile(QStringLiteral("b.ogg"));
    const QString c = makeFile(QStringLiteral("c.flac"));
    add({a, b, c});
    engine.sources.clear();

    songs()->setCurrentRow(0);
    click("moveDownButton");
    EXPECT_EQ(lines(), (QStringList{QStringLiteral("b.ogg"), QStringLiteral("a.mp3"), QStringLiteral("c.flac")}));
    EXPECT_EQ(selectedRow(), 1);
    click("moveUpButton");
    click("moveUpButton"); // already first
    EXPECT_EQ(lines(), (QStringList{QStringLiteral("a.mp3"), QStringLiteral("b.ogg"), QStringLiteral("c.flac")}));
    songs()->setCurrentRow(2);
    click("moveUpButton");
    EXPECT_EQ(lines(), (QStringList{QStringLiteral("a.mp3"), QStringLiteral("c.flac"), QStringLiteral("b.ogg")}));
    EXPECT_TRUE(engine.sources.isEmpty());

    // Double-click on the moved song's line.
    QListWidget* list = songs();
    const QPoint at = list->visualItemRect(list->item(1)).center();
    // A widget double-click in Qt Test sends no press of its own; the click before it is the first press.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(engine.sources, QStringList{c});
    EXPECT_EQ(selectedRow(), 1);
    EXPECT_TRUE(window->playing());

    // Deleting it leaves the engine alone; the next line takes the selection.
    click("deleteButton");
    EXPECT_EQ(lines(), (QStringList{QStringLiteral("a.mp3"), QStringLiteral("b.ogg")}));
    EXPECT_EQ(engine.sources, QStringList{c});
    EXPECT_TRUE(window->playing());
    EXPECT_EQ(selectedRow(), 1);
    EXPECT_EQ(window->order().paths(), (QStringList{a, b}));
    click("deleteButton");
    EXPECT_EQ(selectedRow(), 0);
    songs()->clearSelection();
    click("deleteButton");
    EXPECT_EQ(lines(), QStringList{QStringLiteral("a.mp3")});
}

TEST_F(MusicPlayerTest, ModesSurviveALanguageChangeAndClosingOnlyHides) {
    open(engine);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Music Play"));
    EXPECT_EQ(control<QLabel>(QStringLiteral("playModeLabel"))->text(), QStringLiteral("Play mode"));
    EXPECT_EQ(control<QPushButton>(QStringLiteral("moveUpButton"))->text(), QStringLiteral("Move up"));
    EXPECT_EQ(combo("playModeChoice")->itemText(1), QStringLiteral("Random"));
    EXPECT_EQ(combo("repeatModeChoice")->itemText(1), QStringLiteral("All"));
    EXPECT_EQ(combo("playModeChoice")->currentIndex(), 0);

    combo("playModeChoice")->setCurrentIndex(1);
    combo("repeatModeChoice")->setCurrentIndex(1);
    EXPECT_EQ(window->order().playMode(), PlayOrder::RandomPlay);
    EXPECT_EQ(window->order().repeatMode(), PlayOrder::All);

    texts.loadChinese();
    window->retranslate();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("播放电脑音乐"));
    EXPECT_EQ(control<QLabel>(QStringLiteral("repeatModeLabel"))->text(), QStringLiteral("循环模式"));
    EXPECT_EQ(control<QPushButton>(QStringLiteral("deleteButton"))->text(), QStringLiteral("删除"));
    EXPECT_EQ(combo("playModeChoice")->itemText(0), QStringLiteral("循序播放"));
    EXPECT_EQ(combo("playModeChoice")->count(), 2);
    EXPECT_EQ(combo("playModeChoice")->currentIndex(), 1);
    EXPECT_EQ(combo("repeatModeChoice")->currentIndex(), 1);
    EXPECT_EQ(window->order().playMode(), PlayOrder::RandomPlay);
    EXPECT_EQ(window->order().repeatMode(), PlayOrder::All);

    // Closed, the window keeps its list and its timer still moves through the songs.
    const QString a = makeFile(QStringLiteral("a.mp3"));
    add({a});
    window->close();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(songs()->count(), 1);
    ASSERT_TRUE(window->timer()->isActive());
    EXPECT_EQ(window->timer()->interval(), 1000);
    engine.state = PlayState::Stopped;
    EXPECT_TRUE(QTest::qWaitFor([&] { return engine.sources.size() >= 3; }, 2500));
    EXPECT_EQ(engine.sources.mid(0, 3), (QStringList{a, QString(), a})); // random, repeat all, one song
}

TEST_F(MusicPlayerTest, DroppedFilesAndFoldersJoinTheListLikeAddedOnesAndOtherFilesAreLeftOut) {
    open(engine);
    const QString a = makeFile(QStringLiteral("a.MP3"));
    const QString notes = makeFile(QStringLiteral("notes.txt"));
    makeFolder(QStringLiteral("album/deeper"));
    const QString empty = makeFolder(QStringLiteral("empty"));
    for (const char* name : {"album/c.mp3", "album/A.wav", "album/b.Ogg", "album/cover.jpg", "album/deeper/x.mp3"})
        makeFile(QString::fromUtf8(name));

    // Files in the order dropped; the first song starts at once as with Add.
    ASSERT_TRUE(dropPaths({notes, a}));
    EXPECT_EQ(lines(), QStringList{QStringLiteral("a.MP3")});
    EXPECT_EQ(engine.sources, QStringList{a});

    // A folder: its own songs sorted by name, nothing from the folder inside it.
    ASSERT_TRUE(dropPaths({home.file(QStringLiteral("album"))}));
    EXPECT_EQ(lines(), (QStringList{QStringLiteral("a.MP3"), QStringLiteral("A.wav"), QStringLiteral("b.Ogg"),
                                    QStringLiteral("c.mp3")}));
    EXPECT_EQ(engine.sources.last(), home.file(QStringLiteral("album/A.wav")));

    // A mixture with a folder without songs and a web address: only the songs come in, in order.
    const QString z = makeFile(QStringLiteral("z.wma"));
    QMimeData mixture;
    mixture.setUrls({QUrl::fromLocalFile(z), QUrl::fromLocalFile(notes), QUrl::fromLocalFile(empty),
                     QUrl(QStringLiteral("https://example.com/song.mp3")), QUrl::fromLocalFile(a)});
    ASSERT_TRUE(drop(mixture));
    EXPECT_EQ(lines().mid(4), (QStringList{QStringLiteral("z.wma"), QStringLiteral("a.MP3")}));
    EXPECT_EQ(keptSongs(), window->order().paths());

    QMimeData text;
    text.setText(a);
    EXPECT_FALSE(drop(text));
    EXPECT_EQ(songs()->count(), 6);
}

TEST_F(MusicPlayerTest, PlayListsAreSavedAndOpenedThroughTheirButtonsAndFailuresAreTold) {
    open(engine);
    const QString a = makeFile(QStringLiteral("a.mp3"));
    makeFolder(QStringLiteral("lists"));
    const QString below = makeFile(QStringLiteral("lists/国歌.mp3"));
    add({a, below});

    const QString list = home.file(QStringLiteral("lists/早晨.m3u8"));
    prompts.saveFiles.push_back(list);
    click("savePlaylistButton");
    EXPECT_EQ(prompts.saveFileFilters, QStringList{QStringLiteral("Play lists (*.m3u8 *.m3u)")});
    EXPECT_EQ(QString::fromUtf8(test::readFile(list)),
              QStringLiteral("#EXTM3U\n") + a + QStringLiteral("\n国歌.mp3\n"));

    // Opening replaces the songs and stops what played; a song whose file has gone keeps its line, greyed.
    const QString other = home.file(QStringLiteral("lists/other.m3u"));
    test::writeFile(other, QStringLiteral("#EXTM3U\r\n国歌.mp3\r\n../gone.mp3\r\n").toUtf8());
    engine.sources.clear();
    prompts.openFiles.push_back(other);
    click("openPlaylistButton");
    EXPECT_EQ(prompts.openFileTitles, QStringList{QStringLiteral("Open play list")});
    EXPECT_EQ(lines(), (QStringList{QStringLiteral("国歌.mp3"), QStringLiteral("gone.mp3")}));
    EXPECT_EQ(engine.sources, QStringList{QString()});
    EXPECT_FALSE(window->playing());
    EXPECT_FALSE(greyed(0));
    EXPECT_TRUE(greyed(1));
    EXPECT_EQ(songs()->item(1)->toolTip(),
              QStringLiteral("The file is missing: ") + home.file(QStringLiteral("gone.mp3")));
    EXPECT_EQ(keptSongs(), (QStringList{below, home.file(QStringLiteral("gone.mp3"))}));
    EXPECT_TRUE(prompts.messages.empty());

    prompts.openFiles.push_back(home.file(QStringLiteral("none.m3u8")));
    click("openPlaylistButton");
    prompts.saveFiles.push_back(a + QStringLiteral("/x.m3u8")); // its folder is a regular file
    click("savePlaylistButton");
    ASSERT_EQ(prompts.messages.size(), 2u);
    EXPECT_TRUE(prompts.messages[0].text.startsWith(QStringLiteral("The play list could not be opened:\n")));
    EXPECT_TRUE(prompts.messages[1].text.startsWith(QStringLiteral("The play list could not be saved:\n")));
    EXPECT_EQ(songs()->count(), 2);
}

TEST_F(MusicPlayerTest, ANewWindowOnTheSameHomeGetsTheSongsAndModesBackWithoutPlaying) {
    open(engine);
    const QString a = makeFile(QStringLiteral("a.mp3"));
    const QString b = makeFile(QStringLiteral("b.mp3"));
    const QString c = makeFile(QStringLiteral("c.mp3"));
    add({a, b, c});
    songs()->setCurrentRow(2);
    click("moveUpButton");
    songs()->setCurrentRow(0);
    click("deleteButton");
    combo("playModeChoice")->setCurrentIndex(PlayOrder::RandomPlay);
    combo("repeatModeChoice")->setCurrentIndex(PlayOrder::All);
    window.reset();

    ASSERT_TRUE(QFile::remove(b));
    engine.sources.clear();
    open(engine);
    EXPECT_EQ(window->order().paths(), (QStringList{c, b}));
    EXPECT_TRUE(engine.sources.isEmpty());
    EXPECT_FALSE(window->playing());
    EXPECT_EQ(combo("playModeChoice")->currentIndex(), PlayOrder::RandomPlay);
    EXPECT_EQ(window->order().repeatMode(), PlayOrder::All);
    EXPECT_TRUE(greyed(1)); // its file went while the program was closed
    songs()->setCurrentRow(1);
    click("moveUpButton"); // the grey moves with its song
    EXPECT_TRUE(greyed(0));
    EXPECT_FALSE(greyed(1));
    window.reset();

    // A kept list that cannot be read is an empty list; a failed write of it is told once, not at every change.
    ASSERT_TRUE(QFile::remove(settings.playerListPath()));
    makeFolder(QStringLiteral("player.m3u8"));
    open(engine);
    EXPECT_EQ(songs()->count(), 0);
    add({a});
    add({c});
    EXPECT_EQ(songs()->count(), 2);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_TRUE(prompts.messages[0].text.startsWith(QStringLiteral("The play list could not be saved:\n")));
}

TEST_F(MusicPlayerTest, ASongWhoseFileWentIsPassedOverAndGreyedWhenItsTurnComes) {
    open(engine);
    const QString a = makeFile(QStringLiteral("a.mp3"));
    const QString b = makeFile(QStringLiteral("b.mp3"));
    const QString c = makeFile(QStringLiteral("c.mp3"));
    add({a, b, c});
    EXPECT_FALSE(greyed(1));
    ASSERT_TRUE(QFile::remove(b));
    engine.state = PlayState::Stopped;
    window->tick();
    EXPECT_EQ(engine.sources, (QStringList{a, QString(), c}));
    EXPECT_TRUE(greyed(1));
    texts.loadChinese();
    window->retranslate();
    EXPECT_EQ(songs()->item(1)->toolTip(), QStringLiteral("文件不存在：") + b);
}

// The real engine on the GStreamer backend, headless: two short files play one after the other.
TEST_F(MusicPlayerTest, RealEnginePlaysTwoFilesInOrderAndStops) {
    if (!makeRealEngine())
        GTEST_SKIP() << "Qt Multimedia found no media backend (GStreamer plugin not loadable)";
    QtMediaEngine& real = *realEngine;
    QMediaPlayer& player = real.player();

    QElapsedTimer clock;
    clock.start();
    QStringList started, ended;
    QList<qint64> startTimes;
    QObject::connect(&player, &QMediaPlayer::playbackStateChanged, [&](QMediaPlayer::PlaybackState state) {
        if (state == QMediaPlayer::PlayingState) {
            started << player.source().fileName();
            startTimes << clock.elapsed();
        }
    });
    QObject::connect(&player, &QMediaPlayer::mediaStatusChanged, [&](QMediaPlayer::MediaStatus status) {
        if (status == QMediaPlayer::EndOfMedia)
            ended << player.source().fileName();
    });

    open(real);
    ASSERT_NE(window->findChild<MediaTransport*>(), nullptr);
    const QString a = makeFile(QStringLiteral("a.wav"), toneWav(500));
    const QString b = makeFile(QStringLiteral("b.wav"), toneWav(500));
    add({a, b});
    EXPECT_EQ(player.source().toLocalFile(), a);
    EXPECT_TRUE(window->playing());
    if (player.error() == QMediaPlayer::FormatError)
        GTEST_SKIP() << "the GStreamer backend cannot decode WAV here: " << player.errorString().toStdString();

    const bool done =
        QTest::qWaitFor([&] { return !window->playing() && ended.contains(QStringLiteral("b.wav")); }, 10000);
    ASSERT_TRUE(done) << "started " << started.join(u',').toStdString() << ", ended " << ended.join(u',').toStdString()
                      << ", error " << player.errorString().toStdString();
    EXPECT_EQ(started, (QStringList{QStringLiteral("a.wav"), QStringLiteral("b.wav")}));
    EXPECT_EQ(ended, (QStringList{QStringLiteral("a.wav"), QStringLiteral("b.wav")}));
    ASSERT_EQ(startTimes.size(), 2);
    EXPECT_GE(startTimes[1] - startTimes[0], 450); // the first really played to its end
    EXPECT_TRUE(player.source().isEmpty());
    EXPECT_EQ(real.playState(), PlayState::None);
    EXPECT_EQ(selectedRow(), -1);
    EXPECT_EQ(window->findChild<QLabel*>(QStringLiteral("transportElapsed"))->text(), QStringLiteral("0:00"))
        << "the pass has ended: nothing is being played";

    // The transport's pause and stop are what the next tick sees.
    auto* transport = window->findChild<MediaTransport*>();
    window->playSong(0);
    EXPECT_EQ(real.playState(), PlayState::Playing);
    transport->playPauseButton()->click();
    EXPECT_EQ(real.playState(), PlayState::Paused);
    window->tick();
    EXPECT_FALSE(window->playing());
    transport->stopButton()->click();
    EXPECT_EQ(real.playState(), PlayState::Stopped);
    window->tick();
    EXPECT_EQ(player.source().toLocalFile(), b);
    EXPECT_TRUE(window->playing());

    // A song whose file has gone counts as stopped, and the player moves on.
    ASSERT_TRUE(QFile::remove(a));
    window->playSong(0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return real.playState() == PlayState::Stopped; }, 3000))
        << "state " << int(real.playState());
    window->tick();
    EXPECT_EQ(player.source().toLocalFile(), b);
    EXPECT_EQ(MediaTransport::formatTime(65'400), QStringLiteral("1:05"));
    EXPECT_EQ(MediaTransport::formatTime(3'600'000), QStringLiteral("60:00"));
}

// The backend's passing states do not fool the play list: a Paused reported after the operator's stop (a stop
// racing the end of the file) still moves on, and a Paused while the next file loads keeps the playing flag.
TEST_F(MusicPlayerTest, RealEngineReadsTheOperatorsStopAndALoadingPauseRight) {
    if (!makeRealEngine())
        GTEST_SKIP() << "Qt Multimedia found no media backend (GStreamer plugin not loadable)";
    QtMediaEngine& real = *realEngine;
    QMediaPlayer& player = real.player();
    open(real);
    combo("repeatModeChoice")->setCurrentIndex(PlayOrder::All);
    const QString a = makeFile(QStringLiteral("a.wav"), toneWav(3000));
    const QString b = makeFile(QStringLiteral("b.wav"), toneWav(3000));
    add({a, b});
    window->timer()->stop(); // the test ticks itself
    ASSERT_TRUE(QTest::qWaitFor([&] { return player.playbackState() == QMediaPlayer::PlayingState; }, 5000));

    // Stop from the transport, then the backend settles in Paused instead of Stopped.
    auto* transport = window->findChild<MediaTransport*>();
    transport->stopButton()->click();
    player.pause();
    EXPECT_EQ(real.playState(), PlayState::Stopped);
    window->tick();
    EXPECT_EQ(player.source().toLocalFile(), b) << "the list moved on";
    EXPECT_TRUE(window->playing());

    // While b loads the backend reports Paused: the player is on its way to the song, not paused.
    player.pause();
    EXPECT_EQ(real.playState(), PlayState::Playing);
    window->tick();
    EXPECT_TRUE(window->playing());
    EXPECT_EQ(player.source().toLocalFile(), b);

    // The operator's own pause is a pause.
    player.play();
    transport->playPauseButton()->click();
    EXPECT_EQ(real.playState(), PlayState::Paused);
    window->tick();
    EXPECT_FALSE(window->playing());
    transport->playPauseButton()->click();
    EXPECT_EQ(real.playState(), PlayState::Playing);
}

// The engine the program loads when the player first needs it: the built module gives the real controls; a module
// that cannot be loaded makes the songs fail (the player goes through them and stops) instead of waiting forever.
TEST_F(MusicPlayerTest, TheLoadedEngineGivesTheModulesControlsOrLetsEverySongFail) {
    {
        LoadedMediaEngine loaded(QStringLiteral(QUORVAN_MEDIA_MODULE_PATH));
        EXPECT_EQ(loaded.playState(), PlayState::None);
        open(loaded);
        EXPECT_NE(window->findChild<MediaTransport*>(), nullptr) << loaded.loadError().toStdString();
        window.reset();
    }
    LoadedMediaEngine missing(home.file(QStringLiteral("no-such-module.so")));
    open(missing);
    EXPECT_EQ(window->findChild<MediaTransport*>(), nullptr);
    EXPECT_FALSE(missing.loadError().isEmpty());
    const QString a = makeFile(QStringLiteral("a.mp3")), b = makeFile(QStringLiteral("b.mp3"));
    add({a, b});
    EXPECT_EQ(missing.playState(), PlayState::Stopped) << "a song asked for fails at once";
    for (int i = 0; i < 4 && window->playing(); ++i)
        window->tick();
    EXPECT_FALSE(window->playing());
    window.reset();
}

TEST(QtMediaEngineState, WhatWasAskedDecidesOverTheBackendsPassingStates) {
    using W = QtMediaEngine::Wanted;
    using P = QMediaPlayer;
    const struct {
        W wanted;
        P::PlaybackState backend;
        P::MediaStatus status;
        bool failed;
        PlayState state;
    } cases[] = {
        {W::Nothing, P::PlayingState, P::BufferedMedia, false, PlayState::None},
        {W::Playing, P::PlayingState, P::BufferedMedia, false, PlayState::Playing},
        {W::Playing, P::PausedState, P::LoadingMedia, false, PlayState::Playing},
        {W::Playing, P::PausedState, P::BufferingMedia, false, PlayState::Playing},
        {W::Playing, P::StoppedState, P::LoadingMedia, false, PlayState::Playing},
        {W::Playing, P::StoppedState, P::LoadedMedia, false, PlayState::Stopped},
        {W::Playing, P::StoppedState, P::EndOfMedia, false, PlayState::Stopped},
        {W::Playing, P::PausedState, P::EndOfMedia, false, PlayState::Stopped},
        {W::Playing, P::PlayingState, P::BufferedMedia, true, PlayState::Stopped},
        {W::Playing, P::PlayingState, P::InvalidMedia, false, PlayState::Stopped},
        {W::Paused, P::PausedState, P::BufferedMedia, false, PlayState::Paused},
        {W::Stopped, P::PausedState, P::BufferedMedia, false, PlayState::Stopped},
        {W::Stopped, P::StoppedState, P::LoadedMedia, false, PlayState::Stopped},
    };
    for (const auto& c : cases)
        EXPECT_EQ(QtMediaEngine::stateFor(c.wanted, c.backend, c.status, c.failed), c.state)
            << int(c.wanted) << " " << int(c.backend) << " " << int(c.status) << " " << c.failed;
}

} // namespace
} // namespace quorvan
