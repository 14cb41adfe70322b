#include "app/OptionDlg.h"

#include "app/AppContext.h"
#include "app/DialogUnits.h"
#include "app/KeyFilter.h"
#include "app/SetLanguageDlg.h"
#include "app/SetPowerDlg.h"
#include "app/SetZoneDlg.h"
#include "settings/TextTable.h"

#include <QTabWidget>
#include <QVBoxLayout>

namespace quorvan {

OptionDlg::OptionDlg(AppContext& context, CommandSink& mainWindow, QWidget* parent)
    : QDialog(parent), m_context(context), m_languagePage(new SetLanguageDlg(context, mainWindow, this)),
      m_powerPage(new SetPowerDlg(context, mainWindow, this)), m_zonePage(new SetZoneDlg(context, mainWindow, this)),
      m_tabs(new QTabWidget(this)) {
    resize(dluX(316), dluY(185));
    m_tabs->setObjectName(QStringLiteral("tab%1").arg(kTabId));
    // Placeholder captions until RefreshTexts below gives the language's.
    m_tabs->addTab(m_powerPage, QStringLiteral("电源设置"));
    m_tabs->addTab(m_zonePage, QStringLiteral("分区设置"));
    m_tabs->addTab(m_languagePage, QStringLiteral("语言设置"));
    m_tabs->setCurrentIndex(PowerTab); // the active tab is not remembered between openings

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(dluX(6), dluY(6), dluX(4), dluY(5));
    layout->addWidget(m_tabs);

    RefreshTexts();

    // Neither Enter nor Escape closes the dialog or presses a button on its pages.
    discardEnterAndEscape(this);
}

int OptionDlg::RefreshTexts() {
    const TextTable& texts = m_context.texts;
    setWindowTitle(texts.Text(1));
    m_tabs->setTabText(PowerTab, texts.Text(97));
    m_tabs->setTabText(ZoneTab, texts.Text(98));
    m_tabs->setTabText(LanguageTab, texts.Text(96));
    m_powerPage->RefreshTexts();
    m_zonePage->RefreshTexts();
    m_languagePage->RefreshTexts();
    update();
    return 1;
}

} // namespace quorvan
