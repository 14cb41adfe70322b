#include "app/ToolBarDlg.h"

#include "app/AppContext.h"
#include "app/Commands.h"
#include "app/DialogUnits.h"
#include "app/KeyFilter.h"
#include "controls/CIconButton.h"
#include "model/DeviceFiles.h"
#include "model/ModelState.h"
#include "model/StorageTransfer.h"
#include "settings/TextTable.h"

#include <QContextMenuEvent>
#include <QIcon>
#include <QMenu>

namespace quorvan {

namespace {

struct ButtonInfo {
    ToolBarDlg::ButtonId id;
    int x;
    const char* icon;
    int text;
};

constexpr ButtonInfo kButtons[] = {
    {ToolBarDlg::SystemOption, 6, ":/icons/settings.png", 1}, {ToolBarDlg::Import, 112, ":/icons/import.png", 2},
    {ToolBarDlg::Export, 218, ":/icons/export.png", 3},       {ToolBarDlg::CopyTiming, 324, ":/icons/copy.png", 4},
    {ToolBarDlg::MusicPlay, 431, ":/icons/music.png", 6},
};

QStringList documentFiles(const ModelState& model) {
    QStringList files;
    for (const ScheduleDocument& doc : model.documents)
        files << doc.fileName;
    return files;
}

} // namespace

ToolBarDlg::ToolBarDlg(AppContext& context, CommandSink& sink, QWidget* parent)
    : QWidget(parent), m_context(context), m_sink(sink) {
    setFixedHeight(dluY(44));
    for (std::size_t i = 0; i < m_buttons.size(); ++i) {
        const ButtonInfo& info = kButtons[i];
        auto* button = new CIconButton(this);
        button->setObjectName(QStringLiteral("button%1").arg(int(info.id)));
        button->setGeometry(dluX(info.x), dluY(6), dluX(100), dluY(36));
        button->SetButtonIcon(QIcon(QString::fromLatin1(info.icon)), QSize(32, 32));
        button->setFlat(false);
        m_buttons[i] = button;
        connect(button, &QPushButton::clicked, this, [this, id = info.id] {
            switch (id) {
            case SystemOption: m_sink.command(CMD_SYSTEM_OPTION); break;
            case Import: onImport(); break;
            case Export: onExport(); break;
            case CopyTiming: m_sink.command(CMD_COPY_TIMING); break;
            case MusicPlay: m_sink.command(CMD_SHOW_MUSIC_PLAYER); break;
            }
        });
    }
    discardEnterAndEscape(this);
    RefreshCaptions();
}

CIconButton* ToolBarDlg::button(ButtonId id) const {
    for (std::size_t i = 0; i < m_buttons.size(); ++i)
        if (kButtons[i].id == id)
            return m_buttons[i];
    return nullptr;
}

int ToolBarDlg::RefreshCaptions() {
    for (std::size_t i = 0; i < m_buttons.size(); ++i)
        m_buttons[i]->setText(m_context.texts.Text(kButtons[i].text));
    return 1;
}

void ToolBarDlg::onImport() {
    const ModelState& model = m_context.model;
    if (importFromStorage(m_context.prompts, m_context.texts, dataFolderPath(model.programFolder()),
                          transferSet(documentFiles(model))) == 1)
        m_sink.command(CMD_RELOAD_DOCUMENT);
}

void ToolBarDlg::onExport() {
    const ModelState& model = m_context.model;
    exportToStorage(m_context.prompts, m_context.texts, dataFolderPath(model.programFolder()),
                    transferSet(documentFiles(model)));
}

void ToolBarDlg::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    menu.addAction(QStringLiteral("关于 Quorvan(&A)..."), this, &ToolBarDlg::aboutRequested);
    menu.exec(event->globalPos());
}

} // namespace quorvan
