#include "ui/player/MusicPlayerWindow.h"

#include "core/texts/TextTable.h"
#include "ui/common/AppContext.h"
#include "ui/common/Prompts.h"
#include "ui/player/MediaEngine.h"
#include "ui/player/MediaTransport.h"

#include <QComboBox>
#include <QFile>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>
#include <QVBoxLayout>

namespace quorvan {

namespace {

QString idName(const char16_t* kind, int id) {
    return QString::fromUtf16(kind) + QString::number(id);
}

template <typename W> W* named(W* widget, const char16_t* kind, int id) {
    widget->setObjectName(idName(kind, id));
    return widget;
}

// Refills a mode list without reporting the temporary selections as the user's choice.
void refill(QComboBox* box, const QStringList& lines, int selected) {
    const QSignalBlocker blocker(box);
    box->clear();
    box->addItems(lines);
    box->setCurrentIndex(selected);
}

} // namespace

MusicPlayerWindow::MusicPlayerWindow(AppContext& context, MediaEngine& engine, QWidget* parent)
    : QDialog(parent), m_context(context), m_engine(engine) {
    setModal(false);
    setMinimumSize(480, 320);

    m_songs = named(new QListWidget(this), u"list", kSongListId);
    m_songs->setSelectionMode(QAbstractItemView::SingleSelection);
    m_playModeLabel = named(new QLabel(this), u"label", kPlayModeLabelId);
    m_playMode = named(new QComboBox(this), u"combo", kPlayModeId);
    m_repeatModeLabel = named(new QLabel(this), u"label", kRepeatModeLabelId);
    m_repeatMode = named(new QComboBox(this), u"combo", kRepeatModeId);
    m_moveUp = named(new QPushButton(this), u"button", kMoveUpId);
    m_moveDown = named(new QPushButton(this), u"button", kMoveDownId);
    m_add = named(new QPushButton(this), u"button", kAddId);
    m_delete = named(new QPushButton(this), u"button", kDeleteId);
    for (QPushButton* button : {m_moveUp, m_moveDown, m_add, m_delete})
        button->setAutoDefault(false);

    auto* side = new QGridLayout;
    side->addWidget(m_playModeLabel, 0, 0);
    side->addWidget(m_playMode, 0, 1);
    side->addWidget(m_repeatModeLabel, 1, 0);
    side->addWidget(m_repeatMode, 1, 1);
    side->setRowMinimumHeight(2, 12);
    side->addWidget(m_moveUp, 3, 0);
    side->addWidget(m_moveDown, 3, 1);
    side->addWidget(m_add, 4, 0);
    side->addWidget(m_delete, 4, 1);
    side->setRowStretch(5, 1);

    auto* body = new QHBoxLayout;
    body->addWidget(m_songs, 1);
    body->addLayout(side);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body, 1);

    connect(m_add, &QPushButton::clicked, this, &MusicPlayerWindow::addSongs);
    connect(m_delete, &QPushButton::clicked, this, &MusicPlayerWindow::deleteSong);
    connect(m_moveUp, &QPushButton::clicked, this, &MusicPlayerWindow::moveSongUp);
    connect(m_moveDown, &QPushButton::clicked, this, &MusicPlayerWindow::moveSongDown);
    connect(m_songs, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { playSong(m_songs->row(item)); });
    connect(m_playMode, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0)
            m_order.setPlayMode(index);
    });
    connect(m_repeatMode, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0)
            m_order.setRepeatMode(index);
    });

    // The timer runs for the window's whole life, shown or not, so a pass plays to its end while hidden.
    m_timer = new QTimer(this);
    m_timer->setInterval(kTimerMs);
    connect(m_timer, &QTimer::timeout, this, &MusicPlayerWindow::tick);
    m_timer->start();

    retranslate();
}

void MusicPlayerWindow::showEvent(QShowEvent* event) {
    if (!m_transport) {
        m_transport = m_engine.createControls(this);
        if (m_transport) {
            static_cast<QVBoxLayout*>(layout())->insertWidget(0, m_transport);
            retranslate(); // the controls' accessible names
        }
    }
    QDialog::showEvent(event);
}

void MusicPlayerWindow::retranslate() {
    const TextTable& texts = m_context.texts;
    setWindowTitle(texts.text(6));
    m_playModeLabel->setText(texts.text(56));
    m_repeatModeLabel->setText(texts.text(57));
    m_moveUp->setText(texts.text(70));
    m_moveDown->setText(texts.text(71));
    m_add->setText(texts.text(72));
    m_delete->setText(texts.text(48));
    refill(m_playMode, {texts.text(86), texts.text(87)}, m_order.playMode());
    refill(m_repeatMode, {texts.text(88), texts.text(89)}, m_order.repeatMode());
    m_songs->setAccessibleName(texts.text(TextId::Songs));
    if (auto* transport = qobject_cast<MediaTransport*>(m_transport))
        transport->setAccessibleNames(texts.text(215), texts.text(218), texts.text(TextId::PlayPosition),
                                      texts.text(TextId::Volume));
}

void MusicPlayerWindow::addSongs() {
    const QStringList chosen = m_context.prompts.chooseFiles(
        m_context.texts.text(72), QStringLiteral("音乐文件 (*.MP3 *.WMA *.WAV *.AAC *.OGG *.APE *.FLAC "
                                                 "*.mp3 *.wma *.wav *.aac *.ogg *.ape *.flac)"));
    if (chosen.isEmpty())
        return;
    QStringList readable;
    for (const QString& path : chosen) {
        // A file that cannot be read is left out silently.
        QFile file(path);
        if (file.open(QIODevice::ReadOnly))
            readable << path;
    }
    const PlayAction action = m_order.add(readable);
    showSongs();
    apply(action);
}

void MusicPlayerWindow::deleteSong() {
    const int row = selectedRow();
    if (row < 0)
        return;
    const int next = m_order.remove(row);
    delete m_songs->takeItem(row);
    selectRow(next);
}

void MusicPlayerWindow::moveSongUp() {
    const int row = selectedRow();
    if (row < 0)
        return;
    const int target = m_order.moveUp(row);
    showSongs();
    selectRow(target);
}

void MusicPlayerWindow::moveSongDown() {
    const int row = selectedRow();
    if (row < 0)
        return;
    const int target = m_order.moveDown(row);
    showSongs();
    selectRow(target);
}

void MusicPlayerWindow::playSong(int row) {
    apply(m_order.doubleClick(row));
}

void MusicPlayerWindow::tick() {
    apply(m_order.tick(m_engine.playState()));
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

// Shows the play order's names, keeping the list's lines when only some names changed.
void MusicPlayerWindow::showSongs() {
    const QStringList& names = m_order.names();
    while (m_songs->count() > names.size())
        delete m_songs->takeItem(m_songs->count() - 1);
    for (int i = 0; i < names.size(); ++i) {
        if (i < m_songs->count())
            m_songs->item(i)->setText(names[i]);
        else
            m_songs->addItem(names[i]);
    }
}

} // namespace quorvan
