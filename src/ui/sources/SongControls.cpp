#include "ui/sources/SongControls.h"

#include "core/files/SongFiles.h"
#include "core/texts/TextTable.h"
#include "ui/common/AppContext.h"
#include "ui/common/ListSupport.h"
#include "ui/common/Prompts.h"
#include "ui/widgets/DropList.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

namespace quorvan {

SongControls::SongControls(AppContext& context, QWidget* parent)
    : QObject(parent), songs(named(new DropList(parent), "songList")),
      playModeLabel(named(new QLabel(parent), "playModeLabel")),
      playMode(named(new QComboBox(parent), "playModeChoice")),
      repeatModeLabel(named(new QLabel(parent), "repeatModeLabel")),
      repeatMode(named(new QComboBox(parent), "repeatModeChoice")),
      moveUp(named(new QPushButton(parent), "moveUpButton")),
      moveDown(named(new QPushButton(parent), "moveDownButton")), add(named(new QPushButton(parent), "addButton")),
      remove(named(new QPushButton(parent), "deleteButton")), m_context(context) {
    songs->setSelectionMode(QAbstractItemView::SingleSelection);
    for (QPushButton* button : {moveUp, moveDown, add, remove})
        button->setAutoDefault(false);
    connect(songs, &DropList::pathsDropped, this,
            [this](const QStringList& paths) { emit filesOffered(songFilesIn(paths)); });
    connect(moveUp, &QPushButton::clicked, this, [this] { emit moveRequested(-1); });
    connect(moveDown, &QPushButton::clicked, this, [this] { emit moveRequested(1); });
    connect(remove, &QPushButton::clicked, this, &SongControls::deleteRequested);
    connect(add, &QPushButton::clicked, this, [this] {
        emit filesOffered(m_context.prompts.chooseFiles(m_context.texts.text(TextId::Add), songFileFilter()));
    });
}

void SongControls::retranslate() {
    const TextTable& texts = m_context.texts;
    songs->setAccessibleName(texts.text(TextId::Songs));
    playModeLabel->setText(texts.text(TextId::PlayMode));
    repeatModeLabel->setText(texts.text(TextId::RepeatMode));
    moveUp->setText(texts.text(TextId::MoveUp));
    moveDown->setText(texts.text(TextId::MoveDown));
    add->setText(texts.text(TextId::Add));
    remove->setText(texts.text(TextId::Delete));
    // In place: a language switch must not change the modes chosen.
    setComboTexts(playMode, {texts.text(TextId::PlayInOrder), texts.text(TextId::PlayRandom)});
    setComboTexts(repeatMode, {texts.text(TextId::RepeatOnce), texts.text(TextId::RepeatAll)});
}

} // namespace quorvan
