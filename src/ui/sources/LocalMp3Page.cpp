#include "ui/sources/LocalMp3Page.h"

#include "core/files/ScheduleTypes.h"
#include "core/files/SongFiles.h"
#include "core/schedule/SourceSettings.h"
#include "core/texts/TextTable.h"
#include "ui/common/AppContext.h"
#include "ui/common/ListSupport.h"
#include "ui/common/Prompts.h"
#include "ui/sources/SongControls.h"

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
    m_group = placed(new QGroupBox(this), QStringLiteral("localMp3Group"), 0, 0, kWidth, kHeight);
    m_controls = new SongControls(context, m_group);
    m_songs = m_controls->songs;
    m_songs->setGeometry(10, 22, 240, 178);
    m_controls->playModeLabel->setGeometry(262, 22, 76, 22);
    m_controls->playMode->setGeometry(340, 22, 90, 22);
    m_controls->repeatModeLabel->setGeometry(262, 50, 76, 22);
    m_controls->repeatMode->setGeometry(340, 50, 90, 22);
    // Both options share the group box, so Qt keeps exactly one of them checked.
    m_internal = placed(new QRadioButton(m_group), QStringLiteral("internalStorage"), 262, 80, 168, 22);
    m_card = placed(new QRadioButton(m_group), QStringLiteral("cardStorage"), 262, 104, 168, 22);
    m_internal->setChecked(true);
    m_controls->moveUp->setGeometry(262, 136, 80, 26);
    m_controls->moveDown->setGeometry(350, 136, 80, 26);
    m_controls->add->setGeometry(262, 170, 80, 26);
    m_controls->remove->setGeometry(350, 170, 80, 26);
    // The storage choice comes between the modes and the buttons in the Tab order, as it does on the page.
    setTabOrder(m_controls->repeatMode, m_internal);
    setTabOrder(m_internal, m_card);
    setTabOrder(m_card, m_controls->moveUp);

    connect(m_controls, &SongControls::filesOffered, this, &LocalMp3Page::addFiles);
    connect(m_controls, &SongControls::deleteRequested, this, &LocalMp3Page::deleteSong);
    connect(m_controls, &SongControls::moveRequested, this, &LocalMp3Page::moveSelected);
}

void LocalMp3Page::showSelections(const SourcePanelState& state) {
    m_songs->clear();
    m_songs->addItems(state.songs);
    m_songs->setCurrentRow(-1);
    m_songs->clearSelection();
    (state.onCard ? m_card : m_internal)->setChecked(true);
    m_controls->playMode->setCurrentIndex(state.playMode);
    m_controls->repeatMode->setCurrentIndex(state.repeatMode);
}

void LocalMp3Page::readSelections(SourcePanelState& state) const {
    state.songs.clear();
    for (int i = 0; i < m_songs->count(); ++i)
        state.songs << m_songs->item(i)->text();
    state.onCard = m_card->isChecked();
    state.playMode = std::max(m_controls->playMode->currentIndex(), 0);
    state.repeatMode = std::max(m_controls->repeatMode->currentIndex(), 0);
}

void LocalMp3Page::retranslate() {
    const TextTable& texts = m_context.texts;
    m_controls->retranslate();
    m_group->setTitle(texts.text(TextId::LocalMp3));
    m_internal->setText(texts.text(TextId::InternalStorage));
    m_card->setText(texts.text(TextId::CardStorage));
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
