#include "ui/shell/ToolBar.h"

#include "core/files/ScheduleFile.h"
#include "core/schedule/ScheduleModel.h"
#include "core/storage/CardTransfer.h"
#include "core/texts/TextTable.h"
#include "ui/common/AppContext.h"
#include "ui/common/DialogUnits.h"
#include "ui/common/EnterEscapeFilter.h"
#include "ui/common/ShellActions.h"
#include "ui/shell/StorageActions.h"
#include "ui/shell/TransferRunner.h"
#include "ui/widgets/IconButton.h"

#include <QContextMenuEvent>
#include <QIcon>
#include <QMenu>

namespace quorvan {

namespace {

struct ButtonInfo {
    ToolBar::ButtonId id;
    int x;     // dialog units
    int width; // dialog units
    const char* icon;
    const char* name; // the button's object name
    int text; // caption, or for the small buttons the name read out and shown as tooltip
};

constexpr ButtonInfo kButtons[] = {
    {ToolBar::SystemOption, 6, 100, ":/icons/settings.png", "systemOptionButton", TextId::SystemOption},
    {ToolBar::Import, 112, 100, ":/icons/import.png", "importButton", TextId::ImportButton},
    {ToolBar::Export, 218, 100, ":/icons/export.png", "exportButton", TextId::ExportButton},
    {ToolBar::CopyTiming, 324, 100, ":/icons/copy.png", "copyTimingButton", TextId::CopyTiming},
    {ToolBar::MusicPlay, 431, 100, ":/icons/music.png", "musicPlayButton", TextId::MusicPlay},
    {ToolBar::Undo, 537, 36, ":/icons/undo.png", "undoButton", TextId::UndoButton},
    {ToolBar::Redo, 577, 36, ":/icons/redo.png", "redoButton", TextId::RedoButton},
};

bool isSmall(const ButtonInfo& info) {
    return info.id == ToolBar::Undo || info.id == ToolBar::Redo;
}

} // namespace

ToolBar::ToolBar(AppContext& context, ShellActions& shell, QWidget* parent)
    : QWidget(parent), m_context(context), m_shell(shell) {
    setFixedHeight(dluY(44));
    for (std::size_t i = 0; i < m_buttons.size(); ++i) {
        const ButtonInfo& info = kButtons[i];
        auto* button = new IconButton(this);
        button->setObjectName(QLatin1String(info.name));
        button->setGeometry(dluX(info.x), dluY(6), dluX(info.width), dluY(36));
        button->setButtonIcon(QIcon(QString::fromLatin1(info.icon)), QSize(32, 32));
        button->setFlat(false);
        m_buttons[i] = button;
        connect(button, &QPushButton::clicked, this, [this, id = info.id] {
            switch (id) {
            case SystemOption:
                m_shell.openSettings();
                break;
            case Import:
                importFromCard();
                break;
            case Export:
                exportToCard();
                break;
            case CopyTiming:
                m_shell.openCopyDialog();
                break;
            case MusicPlay:
                m_shell.showMusicPlayer();
                break;
            case Undo:
                m_shell.undo();
                break;
            case Redo:
                m_shell.redo();
                break;
            }
        });
    }
    discardEnterAndEscape(this);
    retranslate();
}

IconButton* ToolBar::button(ButtonId id) const {
    for (std::size_t i = 0; i < m_buttons.size(); ++i)
        if (kButtons[i].id == id)
            return m_buttons[i];
    return nullptr;
}

void ToolBar::retranslate() {
    for (std::size_t i = 0; i < m_buttons.size(); ++i) {
        if (isSmall(kButtons[i]))
            m_buttons[i]->setAccessibleName(m_context.texts.text(kButtons[i].text));
        else
            m_buttons[i]->setText(m_context.texts.text(kButtons[i].text));
    }
}

void ToolBar::showHistory(bool canUndo, const QString& undoText, bool canRedo, const QString& redoText) {
    const TextTable& texts = m_context.texts;
    IconButton* undo = button(Undo);
    undo->setEnabled(canUndo);
    undo->setToolTip(canUndo ? texts.text(TextId::UndoTip).arg(undoText) : texts.text(TextId::NothingToUndo));
    IconButton* redo = button(Redo);
    redo->setEnabled(canRedo);
    redo->setToolTip(canRedo ? texts.text(TextId::RedoTip).arg(redoText) : texts.text(TextId::NothingToRedo));
}

void ToolBar::importFromCard() {
    // The import replaces the data files and the page is reloaded from them.
    if (!m_shell.leaveEdits())
        return;
    const ScheduleModel& model = m_context.model;
    DataStep step;
    const TransferRunner runner = transferRunner();
    if (importFromStorage(m_context.prompts, m_context.texts, dataFolderPath(model.programFolder()),
                          transferSet(documentFiles(model.documents())), &m_context.backups, &step, &runner, window(),
                          &m_context.names) != 1)
        return;
    step.label.document = model.current().fileName;
    m_shell.addStep(std::move(step));
    m_shell.reloadDocument();
}

void ToolBar::exportToCard() {
    const ScheduleModel& model = m_context.model;
    const TransferRunner runner = transferRunner();
    exportToStorage(m_context.prompts, m_context.texts, dataFolderPath(model.programFolder()),
                    transferSet(documentFiles(model.documents())), &runner, window(), &m_context.names);
}

TransferRunner ToolBar::transferRunner() const {
    TransferRunner runner(m_context.texts, window());
    runner.setBytesPerSecond(m_context.cardBytesPerSecond);
    return runner;
}

void ToolBar::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    menu.addAction(m_context.texts.text(TextId::RestoreMenu), this,
                   [this] { m_shell.openRestoreDialog(m_context.model.currentIndex()); });
    menu.addAction(m_context.texts.text(TextId::ManualMenu), this, [this] { m_shell.openManual(); });
    menu.addAction(QStringLiteral("关于 Quorvan(&A)..."), this, &ToolBar::aboutRequested);
    menu.exec(event->globalPos());
}

} // namespace quorvan
