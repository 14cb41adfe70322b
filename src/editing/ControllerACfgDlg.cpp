#include "editing/ControllerACfgDlg.h"

#include "app/AppContext.h"
#include "app/KeyFilter.h"
#include "editing/ControllerACfgExtDvdDlg.h"
#include "editing/ControllerACfgExtFmDlg.h"
#include "editing/ControllerACfgExtMp3Dlg.h"
#include "editing/ControllerACfgFmDlg.h"
#include "editing/ControllerACfgMP3Dlg.h"
#include "editing/SourceSettings.h"
#include "settings/TextTable.h"

#include <QGroupBox>
#include <QVBoxLayout>
#include <QTabWidget>

namespace quorvan {

ControllerACfgDlg::ControllerACfgDlg(AppContext& context, QWidget* parent)
    : QWidget(parent), m_context(context), m_tabs(new QTabWidget(this)) {
    setFixedSize(kWidth, kHeight);
    m_tabs->setObjectName(QStringLiteral("tab") + QString::number(kTabId));
    m_tabs->setGeometry(0, 0, kWidth, kHeight);
    // The tabs only choose a page; the pages are the panel's own children laid over the tab area, so that
    // each keeps its place and size whatever the style draws around the tabs.
    for (const QString& caption : {QStringLiteral("主机MP3"), QStringLiteral("主机收音机"), QStringLiteral("外控DVD"),
                                   QStringLiteral("外控收音机")})
        m_tabs->addTab(new QWidget, caption);

    m_mp3 = new ControllerACfgMP3Dlg(context, this);
    m_fm = new ControllerACfgFmDlg(context, this);
    m_dvd = new ControllerACfgExtDvdDlg(context, this);
    m_radio = new ControllerACfgExtFmDlg(context, this);
    m_extMp3 = new ControllerACfgExtMp3Dlg(this);
    const QRect area(10, 30, m_mp3->width(), m_mp3->height());
    for (QWidget* page : std::initializer_list<QWidget*>{m_mp3, m_fm, m_dvd, m_radio, m_extMp3}) {
        page->setGeometry(area);
        page->raise();
    }
    m_extMp3->hide();
    m_tabs->setCurrentIndex(0);
    showPage(0);
    connect(m_tabs, &QTabWidget::currentChanged, this, &ControllerACfgDlg::showPage);

    discardEnterAndEscape(this);
    RefreshSourceCaptions();
}

void ControllerACfgDlg::showPage(int tab) {
    m_mp3->setVisible(tab == 0);
    m_fm->setVisible(tab == 1);
    m_dvd->setVisible(tab == 2);
    m_radio->setVisible(tab == 3);
}

void ControllerACfgDlg::LoadSourceSettings(TimingEntry& entry) {
    // Start from what the pages show: the repeat list of a player the entry leaves unset keeps its selection.
    SourcePanelState state;
    m_mp3->readSelections(state);
    m_fm->readSelections(state);
    m_dvd->readSelections(state);
    m_radio->readSelections(state);
    m_extMp3->readSelections(state);
    quorvan::LoadSourceSettings(entry, state);
    m_mp3->showSelections(state);
    m_fm->showSelections(state);
    m_dvd->showSelections(state);
    m_extMp3->showSelections(state);
    m_radio->showSelections(state);
}

void ControllerACfgDlg::SaveSourceSettings(TimingEntry& entry) {
    SourcePanelState state;
    m_mp3->readSelections(state);
    m_fm->readSelections(state);
    m_dvd->readSelections(state);
    m_extMp3->readSelections(state);
    m_radio->readSelections(state);
    quorvan::SaveSourceSettings(state, entry);
}

void ControllerACfgDlg::RefreshSourceCaptions() {
    const TextTable& texts = m_context.texts;
    const int tabTexts[4] = {51, 52, 53, 55};
    for (int i = 0; i < 4; ++i)
        m_tabs->setTabText(i, texts.Text(tabTexts[i]));
    m_mp3->RefreshCaptions();
    m_fm->RefreshCaptions();
    m_dvd->RefreshCaptions();
    m_radio->RefreshCaptions();
}

QGroupBox* ControllerACfgDlg::createHostGroup(AppContext& context, QWidget* parent, ControllerACfgDlg*& panel) {
    auto* group = new QGroupBox(QStringLiteral("音源设置"), parent);
    group->setObjectName(QStringLiteral("group1073"));
    panel = new ControllerACfgDlg(context, group);
    auto* layout = new QVBoxLayout(group);
    layout->setContentsMargins(9, 6, 9, 6);
    layout->addWidget(panel);
    return group;
}

} // namespace quorvan
