#include "ui/schedule/ZonePowerPanel.h"

#include "core/files/ScheduleTypes.h"
#include "core/schedule/EntryFormat.h"
#include "core/texts/TextTable.h"
#include "ui/common/AppContext.h"
#include "ui/common/ListSupport.h"
#include "ui/schedule/PowerPickerDialog.h"
#include "ui/schedule/ZonePickerDialog.h"

#include <QBoxLayout>
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

ZonePowerPanel::ZonePowerPanel(AppContext& context, TimingEntry& workingEntry, QWidget* parent)
    : QWidget(parent), m_context(context), m_entry(workingEntry) {
    m_zoneGroup =
        makeGroup(this, 1086, QStringLiteral("音源分配"), m_zoneButton, ZoneButton, m_zoneBox, ZoneSummaryBox);
    m_powerGroup =
        makeGroup(this, 1184, QStringLiteral("电源设置"), m_powerButton, PowerButton, m_powerBox, PowerSummaryBox);
    // One above the other: the editor stays narrow enough for the page.
    m_layout = new QBoxLayout(QBoxLayout::TopToBottom, this);
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->addWidget(m_zoneGroup);
    m_layout->addWidget(m_powerGroup);
    connect(m_zoneButton, &QPushButton::clicked, this, &ZonePowerPanel::pickZones);
    connect(m_powerButton, &QPushButton::clicked, this, &ZonePowerPanel::pickPowerChannels);
}

void ZonePowerPanel::setSideBySide(bool sideBySide) {
    m_layout->setDirection(sideBySide ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom);
}

int ZonePowerPanel::columnWidth() const {
    const QMargins margins = m_layout->contentsMargins();
    return margins.left() + std::max(m_zoneGroup->sizeHint().width(), m_powerGroup->sizeHint().width()) +
           margins.right();
}

void ZonePowerPanel::showSummaries() {
    m_zoneSummary = formatZoneSummary(m_entry.zoneMask, m_context.names);
    m_powerSummary = formatPowerSummary(m_entry.powerMask, m_context.names);
    showSummaryText(m_zoneBox, m_zoneSummary);
    showSummaryText(m_powerBox, m_powerSummary);
}

void ZonePowerPanel::retranslate() {
    const TextTable& t = m_context.texts;
    m_powerGroup->setTitle(t.text(49));
    m_powerButton->setText(t.text(49));
    m_zoneGroup->setTitle(t.text(75));
    m_zoneButton->setText(t.text(75));
    showSummaries(); // display names follow the language
}

void ZonePowerPanel::pickZones() {
    if (const auto words = ZonePickerDialog::pick(m_context, m_entry.zoneMask, this))
        std::copy(words->begin(), words->end(), m_entry.zoneMask);
    showSummaries();
}

void ZonePowerPanel::pickPowerChannels() {
    if (const auto words = PowerPickerDialog::pick(m_context, m_entry.powerMask, this))
        std::copy(words->begin(), words->end(), m_entry.powerMask);
    showSummaries();
}

} // namespace quorvan
