#include "ui/player/MusicPlayerWindow.h"

#include "core/files/SongFiles.h"
#include "core/player/PlaylistFile.h"
#include "core/settings/SettingsFiles.h"
#include "core/texts/TextTable.h"
#include "ui/common/AppContext.h"
#include "ui/common/ListSupport.h"
#include "ui/common/Messages.h"
#include "ui/common/Prompts.h"
#include "ui/player/MediaEngine.h"
#include "ui/sources/SongControls.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHash>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>
#include <QVBoxLayout>

namespace quorvan {

namespace {

constexpr int kPathRole = Qt::UserRole;        // the song a line shows
constexpr int kMissingRole = Qt::UserRole + 1; // whether its file had gone when last looked at
const QString kModeSection = QStringLiteral("MusicPlayer");
const QString kPlayModeKey = QStringLiteral("playMode");
const QString kRepeatModeKey = QStringLiteral("repeatMode");

} // namespace

MusicPlayerWindow::MusicPlayerWindow(AppContext& context, MediaEngine& engine, QWidget* parent)
    : QDialog(parent), m_context(context), m_engine(engine) {
    setModal(false);
    setMinimumSize(480, 320);

    m_controls = new SongControls(context, this);
    m_songs = m_controls->songs;
    m_playMode = m_controls->playMode;
    m_repeatMode = m_controls->repeatMode;
    m_openList = named(new QPushButton(this), "openPlaylistButton");
    m_saveList = named(new QPushButton(this), "savePlaylistButton");
    for (QPushButton* button : {m_openList, m_saveList})
        button->setAutoDefault(false);

    auto* side = new QGridLayout;
    side->addWidget(m_controls->playModeLabel, 0, 0);
    side->addWidget(m_playMode, 0, 1);
    side->addWidget(m_controls->repeatModeLabel, 1, 0);
    side->addWidget(m_repeatMode, 1, 1);
    side->setRowMinimumHeight(2, 12);
    side->addWidget(m_controls->moveUp, 3, 0);
    side->addWidget(m_controls->moveDown, 3, 1);
    side->addWidget(m_controls->add, 4, 0);
    side->addWidget(m_controls->remove, 4, 1);
    side->setRowMinimumHeight(5, 12);
    side->addWidget(m_openList, 6, 0, 1, 2);
    side->addWidget(m_saveList, 7, 0, 1, 2);
    side->setRowStretch(8, 1);

    auto* body = new QHBoxLayout;
    body->addWidget(m_songs, 1);
    body->addLayout(side);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body, 1);

    connect(m_controls, &SongControls::filesOffered, this, &MusicPlayerWindow::addReadable);
    connect(m_controls, &SongControls::deleteRequested, this, &MusicPlayerWindow::deleteSong);
    connect(m_controls, &SongControls::moveRequested, this, &MusicPlayerWindow::moveSelected);
    connect(m_openList, &QPushButton::clicked, this, &MusicPlayerWindow::openPlaylist);
    connect(m_saveList, &QPushButton::clicked, this, &MusicPlayerWindow::savePlaylistAs);
    connect(m_songs, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { playSong(m_songs->row(item)); });
    connect(m_playMode, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index < 0)
            return;
        m_order.setPlayMode(index);
        keepMode(kPlayModeKey, m_order.playMode());
    });
    connect(m_repeatMode, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index < 0)
            return;
        m_order.setRepeatMode(index);
        keepMode(kRepeatModeKey, m_order.repeatMode());
    });

    // The timer runs for the window's whole life, shown or not, so a pass plays to its end while hidden.
    m_timer = new QTimer(this);
    m_timer->setInterval(kTimerMs);
    connect(m_timer, &QTimer::timeout, this, &MusicPlayerWindow::tick);
    m_timer->start();

    restoreList();
    retranslate();
}

// The songs and modes of the last run; nothing plays. A list that is missing or cannot be read is an empty one.
// Whether the files are there is first looked at when the window shows, not while the program starts.
void MusicPlayerWindow::restoreList() {
    const SettingsFiles& settings = m_context.settings;
    const SettingValue playMode = settings.readSetting(kModeSection, kPlayModeKey);
    if (playMode.present)
        m_order.setPlayMode(playMode.value);
    const SettingValue repeatMode = settings.readSetting(kModeSection, kRepeatModeKey);
    if (repeatMode.present)
        m_order.setRepeatMode(repeatMode.value);
    const PlaylistRead saved = readPlaylist(settings.playerListPath());
    if (saved.ok) {
        m_order.replace(saved.songs);
        showSongs(false);
    }
}

void MusicPlayerWindow::showEvent(QShowEvent* event) {
    if (!m_transport) {
        m_transport = m_engine.createControls(this);
        if (m_transport) {
            static_cast<QVBoxLayout*>(layout())->insertWidget(0, m_transport);
            retranslate(); // the controls' accessible names
        }
    }
    refreshMissing();
    QDialog::showEvent(event);
}

void MusicPlayerWindow::retranslate() {
    const TextTable& texts = m_context.texts;
    setWindowTitle(texts.text(TextId::MusicPlay));
    m_controls->retranslate();
    m_openList->setText(texts.text(TextId::OpenPlaylist));
    m_saveList->setText(texts.text(TextId::SavePlaylist));
    {
        // The first time the lists are filled they show the stored modes.
        const QSignalBlocker quietPlay(m_playMode), quietRepeat(m_repeatMode);
        m_playMode->setCurrentIndex(m_order.playMode());
        m_repeatMode->setCurrentIndex(m_order.repeatMode());
    }
    for (int i = 0; i < m_songs->count(); ++i)
        showMissing(m_songs->item(i), m_songs->item(i)->data(kMissingRole).toBool());
    if (m_transport)
        QMetaObject::invokeMethod(m_transport, "setAccessibleNames", Q_ARG(QString, texts.text(TextId::PlayPause)),
                                  Q_ARG(QString, texts.text(TextId::Stop)),
                                  Q_ARG(QString, texts.text(TextId::PlayPosition)),
                                  Q_ARG(QString, texts.text(TextId::Volume)));
}

void MusicPlayerWindow::addSongs() {
    m_controls->add->click();
}

void MusicPlayerWindow::addReadable(const QStringList& paths) {
    QStringList readable;
    for (const QString& path : paths) {
        // A file that cannot be read is left out silently.
        if (isReadableSongFile(path))
            readable << path;
    }
    if (readable.isEmpty())
        return;
    const PlayAction action = m_order.add(readable);
    showSongs();
    apply(action);
    keepList();
}

void MusicPlayerWindow::openPlaylist() {
    const TextTable& texts = m_context.texts;
    const QString path =
        m_context.prompts.chooseOpenFile(dialogTitle(texts, TextId::OpenPlaylist), texts.text(TextId::PlaylistFiles));
    if (path.isEmpty())
        return;
    const PlaylistRead read = readPlaylist(path);
    if (!read.ok) {
        m_context.prompts.message(texts.text(TextId::Warning),
                                  texts.text(TextId::PlaylistNotOpened) + u'\n' + read.status.reason(texts),
                                  Prompts::Icon::Stop);
        return;
    }
    const PlayAction action = m_order.replace(read.songs);
    showSongs();
    refreshMissing();
    apply(action);
    keepList();
}

void MusicPlayerWindow::savePlaylistAs() {
    const TextTable& texts = m_context.texts;
    const QString path =
        m_context.prompts.chooseSaveFile(dialogTitle(texts, TextId::SavePlaylist), texts.text(TextId::PlaylistFiles),
                                         QDir::home().filePath(QStringLiteral("playlist.m3u8")));
    if (path.isEmpty())
        return;
    const SaveResult saved = savePlaylist(path, m_order.paths());
    if (!saved)
        m_context.prompts.message(texts.text(TextId::Warning),
                                  texts.text(TextId::PlaylistNotSaved) + u'\n' + saved.reason(texts),
                                  Prompts::Icon::Stop);
}

void MusicPlayerWindow::keepList() {
    const SaveResult kept = savePlaylist(m_context.settings.playerListPath(), m_order.paths());
    if (!kept && !m_keepFailed)
        m_context.prompts.message(m_context.texts.text(TextId::Warning),
                                  m_context.texts.text(TextId::PlaylistNotSaved) + u'\n' + kept.reason(m_context.texts),
                                  Prompts::Icon::Stop);
    m_keepFailed = !kept.ok;
}

void MusicPlayerWindow::keepMode(const QString& key, int value) {
    const SaveResult kept = m_context.settings.writeSetting(kModeSection, key, value);
    if (!kept)
        m_context.prompts.message(m_context.texts.text(TextId::Warning), saveFailureText(m_context.texts, kept),
                                  Prompts::Icon::Stop);
}

void MusicPlayerWindow::deleteSong() {
    const int row = selectedRow();
    if (row < 0)
        return;
    const int next = m_order.remove(row);
    delete m_songs->takeItem(row);
    selectRow(next);
    keepList();
}

void MusicPlayerWindow::moveSelected(int step) {
    const int row = selectedRow();
    if (row < 0)
        return;
    const int target = step < 0 ? m_order.moveUp(row) : m_order.moveDown(row);
    showSongs();
    selectRow(target);
    keepList();
}

void MusicPlayerWindow::playSong(int row) {
    apply(m_order.doubleClick(row));
}

void MusicPlayerWindow::tick() {
    const PlayAction action = m_order.tick(m_engine.playState());
    if (action.skipped)
        refreshMissing();
    apply(action);
}

void MusicPlayerWindow::refreshMissing() {
    for (int i = 0; i < m_songs->count(); ++i)
        showMissing(m_songs->item(i), !m_order.present(i));
}

void MusicPlayerWindow::showMissing(QListWidgetItem* item, bool missing) {
    item->setData(kMissingRole, missing);
    if (missing) {
        item->setForeground(palette().color(QPalette::Disabled, QPalette::Text));
        const QString path = item->data(kPathRole).toString();
        item->setToolTip(m_context.texts.text(TextId::SongFileMissing).arg(QDir::toNativeSeparators(path)));
    } else {
        item->setData(Qt::ForegroundRole, QVariant());
        item->setToolTip(QString());
    }
}

int MusicPlayerWindow::selectedRow() const {
    const QList<QListWidgetItem*> selected = m_songs->selectedItems();
    return selected.isEmpty() ? -1 : m_songs->row(selected.first());
}

void MusicPlayerWindow::selectRow(int row) {
    if (row >= 0 && row < m_songs->count()) {
        m_songs->setCurrentRow(row);
        return;
    }
    m_songs->setCurrentRow(-1);
    m_songs->clearSelection();
}

void MusicPlayerWindow::apply(const PlayAction& action) {
    if (action.dropSource)
        m_engine.setSource(QString());
    if (action.select)
        selectRow(action.selectRow);
    if (!action.play.isEmpty())
        m_engine.setSource(action.play);
}

// Shows the play order's names, keeping the list's lines when only some names changed. A moved song keeps its
// grey without asking the file system again; only songs new to the list are looked at, and only when lookAtNew.
void MusicPlayerWindow::showSongs(bool lookAtNew) {
    QHash<QString, bool> known;
    for (int i = 0; i < m_songs->count(); ++i)
        known.insert(m_songs->item(i)->data(kPathRole).toString(), m_songs->item(i)->data(kMissingRole).toBool());
    const QStringList& names = m_order.names();
    const QStringList& paths = m_order.paths();
    while (m_songs->count() > names.size())
        delete m_songs->takeItem(m_songs->count() - 1);
    for (int i = 0; i < names.size(); ++i) {
        if (i == m_songs->count())
            m_songs->addItem(QString());
        QListWidgetItem* item = m_songs->item(i);
        item->setText(names[i]);
        if (item->data(kPathRole).toString() != paths[i] || !item->data(kPathRole).isValid()) {
            item->setData(kPathRole, paths[i]);
            const auto seen = known.constFind(paths[i]);
            showMissing(item, seen != known.cend() ? *seen : lookAtNew && !m_order.present(i));
        }
    }
}

} // namespace quorvan
