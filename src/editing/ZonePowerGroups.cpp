#include "editing/ZonePowerGroups.h"

#include "app/AppContext.h"
#include "editing/CellFormatters.h"
#include "editing/ControllerPowerDlg.h"
#include "editing/ControllerZoneSelectDlg.h"
#include "editing/ListSupport.h"
#include "model/ScheduleTypes.h"
#include "settings/TextTable.h"

#include <QGroupBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace quorvan {

namespace {

QPlainTextEdit* makeSummaryBox(QWidget* parent, int id) {
    auto* box = new QPlainTextEdit(parent);
    box->setObjectName(QStringLiteral("edit%1").arg(id));
    box->setReadOnly(true);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    box->setLineWrapMode(QPlainTextEdit::NoWrap);
    box->setFixedSize(180, 84);
    return box;
}

QGroupBox* makeGroup(QWidget* parent, int id, const QString& title, QPushButton*& button, int buttonId,
                     QPlainTextEdit*& box, int boxId) {
    auto* group = new QGroupBox(title, parent);
    group->setObjectName(QStringLiteral("group%1").arg(id));
    button = makeIdButton(group, buttonId, title);
    box = makeSummaryBox(group, boxId);
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(button);
    layout->addWidget(box);
    return group;
}

// The box shows lines; the summary keeps its CR LF line ends.
void showSummaryText(QPlainTextEdit* box, const QString& summary) {
    QString shown = summary;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(u'\r', u'\n');
    box->setPlainText(shown);
}

} // namespace

ZonePowerGroups::ZonePowerGroups(AppContext& context, TimingEntry& workingEntry, QWidget* parent)
    : QWidget(parent), m_context(context), m_entry(workingEntry) {
    m_zoneGroup = makeGroup(this, 1086, QStringLiteral("音源分配"), m_zoneButton, ZoneButton, m_zoneBox, ZoneSummaryBox);
    m_powerGroup =
        makeGroup(this, 1184, QStringLiteral("电源设置"), m_powerButton, PowerButton, m_powerBox, PowerSummaryBox);
    // One above the other: the editor stays narrow enough for the page.
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_zoneGroup);
    layout->addWidget(m_powerGroup);
    connect(m_zoneButton, &QPushButton::clicked, this, &ZonePowerGroups::onZoneButton);
    connect(m_powerButton, &QPushButton::clicked, this, &ZonePowerGroups::onPowerButton);
}

void ZonePowerGroups::showSummaries() {
    m_zoneSummary = ZoneSummary(m_entry.zoneMask, m_context.names);
    m_powerSummary = PowerSummary(m_entry.powerMask, m_context.names);
    showSummaryText(m_zoneBox, m_zoneSummary);
    showSummaryText(m_powerBox, m_powerSummary);
}

void ZonePowerGroups::RefreshTexts() {
    const TextTable& t = m_context.texts;
    m_powerGroup->setTitle(t.Text(49));
    m_powerButton->setText(t.Text(49));
    m_zoneGroup->setTitle(t.Text(75));
    m_zoneButton->setText(t.Text(75));
    showSummaries(); // display names follow the language
}

void ZonePowerGroups::onZoneButton() {
    if (const auto words = ControllerZoneSelectDlg::pick(m_context, m_entry.zoneMask, this))
        std::copy(words->begin(), words->end(), m_entry.zoneMask);
    showSummaries();
}

void ZonePowerGroups::onPowerButton() {
    if (const auto words = ControllerPowerDlg::pick(m_context, m_entry.powerMask, this))
        std::copy(words->begin(), words->end(), m_entry.powerMask);
    showSummaries();
}

} // namespace quorvan
