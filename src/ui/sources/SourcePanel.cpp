#include "ui/sources/SourcePanel.h"

#include "core/schedule/SourceSettings.h"
#include "core/texts/TextTable.h"
#include "ui/common/AppContext.h"
#include "ui/common/EnterEscapeFilter.h"
#include "ui/sources/ExternalDvdPage.h"
#include "ui/sources/ExternalMp3Page.h"
#include "ui/sources/ExternalRadioPage.h"
#include "ui/sources/LocalFmPage.h"
#include "ui/sources/LocalMp3Page.h"

#include <QGroupBox>
#include <QTabWidget>
#include <QVBoxLayout>

namespace quorvan {

SourcePanel::SourcePanel(AppContext& context, QWidget* parent)
    : QWidget(parent), m_context(context), m_tabs(new QTabWidget(this)) {
    setFixedSize(kWidth, kHeight);
    m_tabs->setObjectName(QStringLiteral("sourceTabs"));
    m_tabs->setGeometry(0, 0, kWidth, kHeight);
    // The tabs only choose a page; the pages are the panel's own children laid over the tab area, so that
    // each keeps its place and size whatever the style draws around the tabs.
    // Captioned in the language the window starts in (measuring them in another would load its fonts).
    for (const int caption : {TextId::LocalMp3, TextId::LocalFm, TextId::ExtDvd, TextId::ExtRadio})
        m_tabs->addTab(new QWidget, context.texts.text(caption));

    m_mp3 = new LocalMp3Page(context, this);
    m_fm = new LocalFmPage(context, this);
    m_dvd = new ExternalDvdPage(context, this);
    m_radio = new ExternalRadioPage(context, this);
    m_extMp3 = new ExternalMp3Page(this);
    const QRect area(10, 30, m_mp3->width(), m_mp3->height());
    for (QWidget* page : std::initializer_list<QWidget*>{m_mp3, m_fm, m_dvd, m_radio, m_extMp3}) {
        page->setGeometry(area);
        page->raise();
    }
    m_extMp3->hide();
    m_tabs->setCurrentIndex(0);
    showPage(0);
    connect(m_tabs, &QTabWidget::currentChanged, this, &SourcePanel::showPage);

    discardEnterAndEscape(this);
    retranslate();
}

void SourcePanel::showPage(int tab) {
    m_mp3->setVisible(tab == 0);
    m_fm->setVisible(tab == 1);
    m_dvd->setVisible(tab == 2);
    m_radio->setVisible(tab == 3);
}

void SourcePanel::loadSourceSettings(TimingEntry& entry) {
    // Start from what the pages show: the repeat list of a player the entry leaves unset keeps its selection.
    SourcePanelState state;
    m_mp3->readSelections(state);
    m_fm->readSelections(state);
    m_dvd->readSelections(state);
    m_radio->readSelections(state);
    m_extMp3->readSelections(state);
    quorvan::loadSourceSettings(entry, state);
    m_mp3->showSelections(state);
    m_fm->showSelections(state);
    m_dvd->showSelections(state);
    m_extMp3->showSelections(state);
    m_radio->showSelections(state);
}

void SourcePanel::saveSourceSettings(TimingEntry& entry) {
    SourcePanelState state;
    m_mp3->readSelections(state);
    m_fm->readSelections(state);
    m_dvd->readSelections(state);
    m_extMp3->readSelections(state);
    m_radio->readSelections(state);
    quorvan::saveSourceSettings(state, entry);
}

void SourcePanel::retranslate() {
    m_tabs->setAccessibleName(m_context.texts.text(TextId::Aux));
    const TextTable& texts = m_context.texts;
    const int tabTexts[4] = {TextId::LocalMp3, TextId::LocalFm, TextId::ExtDvd, TextId::ExtRadio};
    for (int i = 0; i < 4; ++i)
        m_tabs->setTabText(i, texts.text(tabTexts[i]));
    m_mp3->retranslate();
    m_fm->retranslate();
    m_dvd->retranslate();
    m_radio->retranslate();
}

QGroupBox* SourcePanel::createHostGroup(AppContext& context, QWidget* parent, SourcePanel*& panel) {
    auto* group = new QGroupBox(QStringLiteral("音源设置"), parent);
    group->setObjectName(QStringLiteral("sourcesGroup"));
    panel = new SourcePanel(context, group);
    auto* layout = new QVBoxLayout(group);
    layout->setContentsMargins(9, 6, 9, 6);
    layout->addWidget(panel);
    return group;
}

} // namespace quorvan
