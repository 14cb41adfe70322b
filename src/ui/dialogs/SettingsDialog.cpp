#include "ui/dialogs/SettingsDialog.h"

#include "core/texts/TextTable.h"
#include "ui/common/AppContext.h"
#include "ui/common/DialogUnits.h"
#include "ui/common/EnterEscapeFilter.h"
#include "ui/dialogs/LanguagePage.h"
#include "ui/dialogs/NamesPage.h"

#include <QTabWidget>
#include <QVBoxLayout>

namespace quorvan {

SettingsDialog::SettingsDialog(AppContext& context, ShellActions& shell, QWidget* parent)
    : QDialog(parent), m_context(context), m_languagePage(new LanguagePage(context, shell, this)),
      m_powerPage(new NamesPage(context, shell, NameTable::Power, NamesPage::kPowerPage, this)),
      m_zonePage(new NamesPage(context, shell, NameTable::Zones, NamesPage::kZonePage, this)),
      m_tabs(new QTabWidget(this)) {
    resize(dluX(316), dluY(185));
    m_tabs->setObjectName(QStringLiteral("settingsTabs"));
    // Placeholder captions until retranslate below gives the language's.
    m_tabs->addTab(m_powerPage, QStringLiteral("电源设置"));
    m_tabs->addTab(m_zonePage, QStringLiteral("分区设置"));
    m_tabs->addTab(m_languagePage, QStringLiteral("语言设置"));
    m_tabs->setCurrentIndex(PowerTab); // the active tab is not remembered between openings

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(dluX(6), dluY(6), dluX(4), dluY(5));
    layout->addWidget(m_tabs);

    retranslate();

    // Neither Enter nor Escape closes the dialog or presses a button on its pages.
    discardEnterAndEscape(this);
}

void SettingsDialog::retranslate() {
    const TextTable& texts = m_context.texts;
    setWindowTitle(texts.text(TextId::SystemOption));
    m_tabs->setAccessibleName(texts.text(TextId::SystemOption));
    m_tabs->setTabText(PowerTab, texts.text(TextId::PowerName));
    m_tabs->setTabText(ZoneTab, texts.text(TextId::ZoneName));
    m_tabs->setTabText(LanguageTab, texts.text(TextId::SettingLanguage));
    m_powerPage->retranslate();
    m_zonePage->retranslate();
    m_languagePage->retranslate();
    update();
}

} // namespace quorvan
