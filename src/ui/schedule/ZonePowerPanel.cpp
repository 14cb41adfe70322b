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

#include <algorithm>

namespace quorvan {

namespace {

constexpr int kColumnBoxWidth = 180;

QPlainTextEdit* makeSummaryBox(QWidget* parent, const QString& name) {
    auto* box = new QPlainTextEdit(parent);
    box->setObjectName(name);
    box->setReadOnly(true);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    box->setLineWrapMode(QPlainTextEdit::NoWrap);
    return box;
}

// The group "<role>Group" with its button "<role>Button" and summary box "<role>Summary".
QGroupBox* makeGroup(QWidget* parent, const QString& role, const QString& title, QPushButton*& button,
                     QPlainTextEdit*& box) {
    auto* group = new QGroupBox(title, parent);
    group->setObjectName(role + QStringLiteral("Group"));
    button = makeButton(group, role + QStringLiteral("Button"), title);
    box = makeSummaryBox(group, role + QStringLiteral("Summary"));
    auto* layout = new QBoxLayout(QBoxLayout::TopToBottom, group);
    layout->addWidget(button, 0, Qt::AlignTop);
    layout->addWidget(box, 1);
    return group;
}

// In a column the box shows one name a line; in the row under a narrow editor it is wide and low, and the names
// run on, wrapped after their commas. The summary itself keeps its CR LF line ends.
void showSummaryText(QPlainTextEdit* box, const QString& summary, bool inRow) {
    const QString lineEnd = inRow ? QStringLiteral(" ") : QStringLiteral("\n");
    QString shown = summary;
    shown.replace(QStringLiteral("\r\n"), lineEnd);
    shown.replace(u'\r', lineEnd);
    box->setPlainText(shown);
}

// The box's size for each arrangement: a narrow column of five names, or a row two lines lower whose width the
// page gives.
void sizeSummaryBox(QPlainTextEdit* box, bool inRow) {
    if (inRow) {
        box->setMinimumWidth(kColumnBoxWidth);
        box->setMaximumWidth(QWIDGETSIZE_MAX);
        box->setFixedHeight(56);
        box->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        box->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    } else {
        box->setFixedSize(kColumnBoxWidth, 84);
        box->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
        box->setLineWrapMode(QPlainTextEdit::NoWrap);
    }
}

} // namespace

ZonePowerPanel::ZonePowerPanel(AppContext& context, TimingEntry& workingEntry, QWidget* parent)
    : QWidget(parent), m_context(context), m_entry(workingEntry) {
    m_zoneGroup = makeGroup(this, QStringLiteral("zone"), QStringLiteral("音源分配"), m_zoneButton, m_zoneBox);
    m_powerGroup = makeGroup(this, QStringLiteral("power"), QStringLiteral("电源设置"), m_powerButton, m_powerBox);
    // One above the other: the editor stays narrow enough for the page.
    m_layout = new QBoxLayout(QBoxLayout::TopToBottom, this);
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->addWidget(m_zoneGroup);
    m_layout->addWidget(m_powerGroup);
    setSideBySide(false);
    connect(m_zoneButton, &QPushButton::clicked, this, &ZonePowerPanel::pickZones);
    connect(m_powerButton, &QPushButton::clicked, this, &ZonePowerPanel::pickPowerChannels);
}

void ZonePowerPanel::setSideBySide(bool sideBySide) {
    m_sideBySide = sideBySide;
    m_layout->setDirection(sideBySide ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom);
    // Side by side, each group puts its button left of its box, so that the row is low.
    for (QGroupBox* group : {m_zoneGroup, m_powerGroup})
        static_cast<QBoxLayout*>(group->layout())
            ->setDirection(sideBySide ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom);
    sizeSummaryBox(m_zoneBox, sideBySide);
    sizeSummaryBox(m_powerBox, sideBySide);
    showSummaryText(m_zoneBox, m_zoneSummary, sideBySide);
    showSummaryText(m_powerBox, m_powerSummary, sideBySide);
}

int ZonePowerPanel::columnWidth() const {
    // In the row, a group is its button, a spacing and its box side by side; in the column, the wider of the two.
    const auto inColumn = [this](const QGroupBox* group, const QPushButton* button, const QPlainTextEdit* box) {
        const int hint = group->sizeHint().width();
        if (!m_sideBySide)
            return hint;
        const int buttonWidth = button->sizeHint().width();
        const int inRow = buttonWidth + group->layout()->spacing() + box->sizeHint().width();
        return hint - inRow + std::max(buttonWidth, kColumnBoxWidth);
    };
    const QMargins margins = m_layout->contentsMargins();
    return margins.left() +
           std::max(inColumn(m_zoneGroup, m_zoneButton, m_zoneBox), inColumn(m_powerGroup, m_powerButton, m_powerBox)) +
           margins.right();
}

void ZonePowerPanel::showSummaries() {
    m_zoneSummary = formatZoneSummary(m_entry.zoneMask, m_context.names);
    m_powerSummary = formatPowerSummary(m_entry.powerMask, m_context.names);
    showSummaryText(m_zoneBox, m_zoneSummary, m_sideBySide);
    showSummaryText(m_powerBox, m_powerSummary, m_sideBySide);
}

void ZonePowerPanel::retranslate() {
    const TextTable& t = m_context.texts;
    m_powerGroup->setTitle(t.text(TextId::SettingPower));
    m_powerButton->setText(t.text(TextId::SettingPower));
    m_zoneGroup->setTitle(t.text(TextId::ZoneSelect));
    m_zoneButton->setText(t.text(TextId::ZoneSelect));
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
