#include "ui/sources/LocalMp3Page.h"

#include "core/files/ScheduleTypes.h"
#include "core/files/SongFiles.h"
#include "core/schedule/SourceSettings.h"
#include "core/texts/TextTable.h"
#include "ui/common/AppContext.h"
#include "ui/common/ListSupport.h"
#include "ui/common/Prompts.h"

#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>

namespace quorvan {

namespace {

template <typename W> W* placed(W* widget, const QString& name, int x, int y, int w, int h) {
    widget->setObjectName(name);
    widget->setGeometry(x, y, w, h);
    return widget;
}


} // namespace

LocalMp3Page::LocalMp3Page(AppContext& context, QWidget* parent) : QWidget(parent), m_context(context) {
    resize(kWidth, kHeight);
    m_group =
        placed(new QGroupBox(QStringLiteral("主机MP3"), this), QStringLiteral("localMp3Group"), 0, 0, kWidth, kHeight);
    m_songs = placed(new DropList(m_group), QStringLiteral("songList"), 10, 22, 240, 178);
    m_songs->setSelectionMode(QAbstractItemView::SingleSelection);

    m_playModeLabel =
        placed(new QLabel(QStringLiteral("播放模式"), m_group), QStringLiteral("playModeLabel"), 262, 22, 76, 22);
    m_playMode = placed(new QComboBox(m_group), QStringLiteral("playModeChoice"), 340, 22, 90, 22);
    m_repeatModeLabel =
        placed(new QLabel(QStringLiteral("循环模式"), m_group), QStringLiteral("repeatModeLabel"), 262, 50, 76, 22);
    m_repeatMode = placed(new QComboBox(m_group), QStringLiteral("repeatModeChoice"), 340, 50, 90, 22);

    // Both options share the group box, so Qt keeps exactly one of them checked.
    m_internal = placed(new QRadioButton(QStringLiteral("主机内存"), m_group), QStringLiteral("internalStorage"), 262,
                        80, 168, 22);
    m_card =
        placed(new QRadioButton(QStringLiteral("SD卡"), m_group), QStringLiteral("cardStorage"), 262, 104, 168, 22);
    m_internal->setChecked(true);

    m_moveUp =
        placed(new QPushButton(QStringLiteral("上移"), m_group), QStringLiteral("moveUpButton"), 262, 136, 80, 26);
    m_moveDown =
        placed(new QPushButton(QStringLiteral("下移"), m_group), QStringLiteral("moveDownButton"), 350, 136, 80, 26);
    m_add = placed(new QPushButton(QStringLiteral("添加"), m_group), QStringLiteral("addButton"), 262, 170, 80, 26);
    m_delete =
        placed(new QPushButton(QStringLiteral("删除"), m_group), QStringLiteral("deleteButton"), 350, 170, 80, 26);
    for (QPushButton* button : {m_moveUp, m_moveDown, m_add, m_delete})
        button->setAutoDefault(false);

    connect(m_songs, &DropList::pathsDropped, this, [this](const QStringList& paths) { addFiles(songFilesIn(paths)); });
    connect(m_add, &QPushButton::clicked, this, &LocalMp3Page::addSongs);
    connect(m_delete, &QPushButton::clicked, this, &LocalMp3Page::deleteSong);
    connect(m_moveUp, &QPushButton::clicked, this, &LocalMp3Page::moveSongUp);
    connect(m_moveDown, &QPushButton::clicked, this, &LocalMp3Page::moveSongDown);
}

void LocalMp3Page::showSelections(const SourcePanelState& state) {
    m_songs->clear();
    m_songs->addItems(state.songs);
    m_songs->setCurrentRow(-1);
    m_songs->clearSelection();
    (state.onCard ? m_card : m_internal)->setChecked(true);
    m_playMode->setCurrentIndex(state.playMode);
    m_repeatMode->setCurrentIndex(state.repeatMode);
}

void LocalMp3Page::readSelections(SourcePanelState& state) const {
    state.songs.clear();
    for (int i = 0; i < m_songs->count(); ++i)
        state.songs << m_songs->item(i)->text();
    state.onCard = m_card->isChecked();
    state.playMode = std::max(m_playMode->currentIndex(), 0);
    state.repeatMode = std::max(m_repeatMode->currentIndex(), 0);
}

void LocalMp3Page::retranslate() {
    m_songs->setAccessibleName(m_context.texts.text(TextId::Songs));
    const TextTable& texts = m_context.texts;
    m_group->setTitle(texts.text(TextId::LocalMp3));
    m_playModeLabel->setText(texts.text(TextId::PlayMode));
    m_repeatModeLabel->setText(texts.text(TextId::RepeatMode));
    m_internal->setText(texts.text(TextId::InternalStorage));
    m_card->setText(texts.text(TextId::CardStorage));
    m_moveUp->setText(texts.text(TextId::MoveUp));
    m_moveDown->setText(texts.text(TextId::MoveDown));
    m_add->setText(texts.text(TextId::Add));
    m_delete->setText(texts.text(TextId::Delete));
    // In place: a language switch must not change the entry's modes.
    setComboTexts(m_playMode, {texts.text(TextId::PlayInOrder), texts.text(TextId::PlayRandom)});
    setComboTexts(m_repeatMode, {texts.text(TextId::RepeatOnce), texts.text(TextId::RepeatAll)});
}

void LocalMp3Page::addSongs() {
    addFiles(m_context.prompts.chooseFiles(m_context.texts.text(TextId::Add), songFileFilter()));
}

void LocalMp3Page::addFiles(const QStringList& paths) {
    for (const QString& path : paths) {
        // Only files the controller could be given are listed; nothing is copied here.
        if (!isReadableSongFile(path))
            continue;
        if (m_songs->count() >= kMaxSongs) {
            m_context.prompts.message(m_context.texts.text(TextId::Warning),
                                      QStringLiteral("Can't add the music,amount outside!"), Prompts::Icon::Stop);
            break;
        }
        m_songs->addItem(QFileInfo(path).fileName());
    }
    if (m_songs->count() > 0)
        m_songs->setCurrentRow(m_songs->count() - 1);
}

void LocalMp3Page::deleteSong() {
    const int row = selectedRow();
    if (row < 0)
        return;
    delete m_songs->takeItem(row);
    if (m_songs->count() > 0)
        m_songs->setCurrentRow(std::min(row, m_songs->count() - 1));
}

void LocalMp3Page::moveSongUp() {
    moveSelected(-1);
}

void LocalMp3Page::moveSongDown() {
    moveSelected(1);
}

int LocalMp3Page::selectedRow() const {
    const QList<QListWidgetItem*> selected = m_songs->selectedItems();
    return selected.isEmpty() ? -1 : m_songs->row(selected.first());
}

void LocalMp3Page::moveSelected(int step) {
    const int row = selectedRow();
    const int target = row + step;
    if (row < 0 || target < 0 || target >= m_songs->count())
        return;
    QListWidgetItem* item = m_songs->takeItem(row);
    m_songs->insertItem(target, item);
    m_songs->setCurrentRow(target);
}

} // namespace quorvan
