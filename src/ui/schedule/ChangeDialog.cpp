#include "ui/schedule/ChangeDialog.h"

#include "core/schedule/EntryFormat.h"
#include "core/texts/TextTable.h"
#include "ui/common/AppContext.h"
#include "ui/common/ListSupport.h"
#include "ui/schedule/PowerPickerDialog.h"
#include "ui/schedule/ZonePickerDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include <algorithm>

namespace quorvan {

namespace {

// A row of widgets side by side.
QWidget* row(QWidget* parent, std::initializer_list<QWidget*> widgets) {
    auto* box = new QWidget(parent);
    auto* layout = new QHBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    for (QWidget* w : widgets)
        layout->addWidget(w);
    layout->addStretch(1);
    return box;
}

} // namespace

QComboBox* ChangeDialog::bitsChoice(const char* name) {
    const TextTable& texts = m_context.texts;
    auto* box = named(new QComboBox(this), name);
    box->addItems({texts.text(TextId::LeaveAsItIs), texts.text(TextId::SetTo), texts.text(TextId::AddThese),
                   texts.text(TextId::RemoveThese)});
    return box;
}

ChangeDialog::ChangeDialog(AppContext& context, int count, QWidget* parent) : QDialog(parent), m_context(context) {
    const TextTable& texts = context.texts;
    setObjectName(QStringLiteral("changeDialog"));
    setWindowTitle(texts.text(TextId::ChangeTitle).arg(count));
    const QStringList keepOrNot{texts.text(TextId::LeaveAsItIs), texts.text(TextId::TurnOn),
                                texts.text(TextId::TurnOff)};

    m_daysHow = bitsChoice("weekdaysHow");
    auto* days = new QWidget(this);
    auto* daysLayout = new QHBoxLayout(days);
    daysLayout->setContentsMargins(0, 0, 0, 0);
    for (int i = 1; i <= 7; ++i) {
        const int bit = i % 7; // Monday first, Sunday last
        auto* box = new QCheckBox(texts.text(bit == 0 ? TextId::Sunday : TextId::Monday + bit - 1), days);
        box->setObjectName(QStringLiteral("day%1").arg(bit));
        m_days[std::size_t(bit)] = box;
        daysLayout->addWidget(box);
    }
    m_zonesHow = bitsChoice("zonesHow");
    m_zoneButton = named(new QPushButton(texts.text(TextId::ZoneSelect), this), "zoneButton");
    m_zoneLine = named(new QLabel(this), "zoneLine");
    m_powerHow = bitsChoice("powerHow");
    m_powerButton = named(new QPushButton(texts.text(TextId::SettingPower), this), "powerButton");
    m_powerLine = named(new QLabel(this), "powerLine");
    for (QLabel* line : {m_zoneLine, m_powerLine}) {
        line->setWordWrap(true);
        line->setMaximumWidth(420);
    }
    m_keepPower = named(new QComboBox(this), "keepPowerHow");
    m_keepPower->addItems(keepOrNot);
    m_playMode = named(new QComboBox(this), "playModeHow");
    m_playMode->addItems(
        {texts.text(TextId::LeaveAsItIs), texts.text(TextId::PlayInOrder), texts.text(TextId::PlayRandom)});
    m_repeatMode = named(new QComboBox(this), "repeatModeHow");
    m_repeatMode->addItems(
        {texts.text(TextId::LeaveAsItIs), texts.text(TextId::RepeatOnce), texts.text(TextId::RepeatAll)});
    m_replace = named(new QLineEdit(this), "replaceSong");
    m_by = named(new QLineEdit(this), "bySong");
    m_add = named(new QPlainTextEdit(this), "addSongs");
    m_add->setMaximumHeight(80);
    m_remove = named(new QLineEdit(this), "removeSong");

    auto* form = new QFormLayout;
    form->addRow(texts.text(TextId::WeekColumn), row(this, {m_daysHow, days}));
    form->addRow(texts.text(TextId::ZoneSelect), row(this, {m_zonesHow, m_zoneButton}));
    form->addRow(QString(), m_zoneLine);
    form->addRow(texts.text(TextId::SettingPower), row(this, {m_powerHow, m_powerButton}));
    form->addRow(QString(), m_powerLine);
    form->addRow(texts.text(TextId::KeepPowerLabel), m_keepPower);
    form->addRow(texts.text(TextId::PlayMode), m_playMode);
    form->addRow(texts.text(TextId::RepeatMode), m_repeatMode);
    auto* by = new QLabel(texts.text(TextId::BySong), this);
    form->addRow(texts.text(TextId::ReplaceSong), row(this, {m_replace, by, m_by}));
    form->addRow(texts.text(TextId::AddSongsLine), m_add);
    form->addRow(texts.text(TextId::RemoveSongLine), m_remove);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    QString ok = texts.text(TextId::ChangeButton);
    buttons->button(QDialogButtonBox::Ok)->setText(ok.remove(QStringLiteral("...")));
    buttons->button(QDialogButtonBox::Cancel)->setText(texts.text(TextId::CancelButton));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);

    connect(m_zoneButton, &QPushButton::clicked, this, [this] {
        if (const auto words = ZonePickerDialog::pick(m_context, m_zones, this))
            std::copy(words->begin(), words->end(), m_zones);
        showPicked();
    });
    connect(m_powerButton, &QPushButton::clicked, this, [this] {
        if (const auto words = PowerPickerDialog::pick(m_context, m_power, this))
            std::copy(words->begin(), words->end(), m_power);
        showPicked();
    });
    showPicked();
}

void ChangeDialog::showPicked() {
    m_zoneLine->setText(formatZones(m_zones, m_context.names));
    m_powerLine->setText(formatPower(m_power, m_context.names, m_context.texts));
}

BulkChange ChangeDialog::change() const {
    BulkChange c;
    const auto bits = [](const QComboBox* how) { return BulkChange::Bits(std::max(0, how->currentIndex())); };
    c.weekdays = bits(m_daysHow);
    for (int bit = 0; bit < 7; ++bit)
        if (m_days[std::size_t(bit)]->isChecked())
            c.weekdayBits |= 1u << bit;
    c.zones = bits(m_zonesHow);
    std::copy(std::begin(m_zones), std::end(m_zones), c.zoneMask);
    c.power = bits(m_powerHow);
    std::copy(std::begin(m_power), std::end(m_power), c.powerMask);
    c.keepPower = BulkChange::Flag(std::max(0, m_keepPower->currentIndex()));
    c.playMode = m_playMode->currentIndex() - 1;
    c.repeatMode = m_repeatMode->currentIndex() - 1;
    c.replaceSong = m_replace->text().trimmed();
    c.bySong = m_by->text().trimmed();
    if (c.bySong.isEmpty())
        c.replaceSong.clear(); // nothing to put in its place
    for (const QString& line : m_add->toPlainText().split(u'\n', Qt::SkipEmptyParts))
        if (!line.trimmed().isEmpty())
            c.addSongs << line.trimmed().left(kMaxSongNameUnits);
    c.removeSong = m_remove->text().trimmed();
    return c;
}

} // namespace quorvan
