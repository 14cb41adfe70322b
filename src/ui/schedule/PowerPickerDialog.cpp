#include "ui/schedule/PowerPickerDialog.h"

#include "core/settings/NameTables.h"
#include "core/texts/TextTable.h"
#include "ui/common/AppContext.h"
#include "ui/common/DialogUnits.h"
#include "ui/common/EnterEscapeFilter.h"
#include "ui/common/ListSupport.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace quorvan {

namespace {

constexpr int kChannelItems = 37;
constexpr int kItemCount = kChannelItems + 1; // the channels and keep power
constexpr int kColumnWidth = 110;
constexpr int kRowHeight = 22;

} // namespace

PowerPickerDialog::PowerPickerDialog(AppContext& context, const std::uint32_t (&mask)[9], QWidget* parent)
    : QDialog(parent), m_list(new QListWidget(this)) {
    std::copy(std::begin(mask), std::end(mask), m_words.begin());
    const TextTable& texts = context.texts;
    setWindowTitle(texts.text(TextId::SettingPower));
    resize(dluX(316), dluY(185));

    auto* group = new QGroupBox(texts.text(TextId::SettingPower), this);
    group->setObjectName(QStringLiteral("groupPower"));

    m_list->setParent(group);
    m_list->setObjectName(QStringLiteral("channelList"));
    setUpCheckGrid(m_list, QSize(kColumnWidth, kRowHeight));

    const PowerChecks given = powerChecks(mask);
    for (int i = 0; i < kItemCount; ++i) {
        // The keep-power word is the same in both languages.
        const QString name =
            i == kKeepPowerItem ? QStringLiteral("保持电源") : context.names.display(NameTable::Power, i);
        auto* item = new QListWidgetItem(name, m_list);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(given[std::size_t(i)] ? Qt::Checked : Qt::Unchecked);
    }
    fitCheckGrid(m_list, QSize(kColumnWidth, kRowHeight));
    m_list->setAccessibleName(texts.text(TextId::SettingPower));

    auto* allSelect = new QPushButton(texts.text(TextId::AllSelect), this);
    allSelect->setObjectName(QStringLiteral("allSelectButton"));
    auto* invert = new QPushButton(texts.text(TextId::Invert), this);
    invert->setObjectName(QStringLiteral("invertButton"));
    auto* ok = new QPushButton(texts.text(TextId::Enter), this);
    ok->setObjectName(QStringLiteral("button1"));
    auto* cancel = new QPushButton(texts.text(TextId::Cancel), this);
    cancel->setObjectName(QStringLiteral("button2"));
    for (QPushButton* button : {allSelect, invert, ok, cancel})
        button->setAutoDefault(false);

    connect(allSelect, &QPushButton::clicked, this, [this] { selectAll(); });
    connect(invert, &QPushButton::clicked, this, [this] { invertSelection(); });
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(m_list);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(allSelect);
    buttons->addWidget(invert);
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group, 1);
    layout->addLayout(buttons);

    // Enter and Escape neither confirm nor close this picker; only its buttons do.
    discardEnterAndEscape(this);
}

std::optional<std::array<std::uint32_t, 9>> PowerPickerDialog::pick(AppContext& context, const std::uint32_t (&mask)[9],
                                                                    QWidget* parent) {
    PowerPickerDialog dialog(context, mask, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.words();
}

void PowerPickerDialog::accept() {
    rebuildWords();
    QDialog::accept();
}

// The words are rebuilt on Cancel too; pick() does not return them.
void PowerPickerDialog::reject() {
    rebuildWords();
    QDialog::reject();
}

void PowerPickerDialog::selectAll() {
    PowerChecks current = checks();
    selectAllChannels(current);
    setChecks(current);
}

void PowerPickerDialog::invertSelection() {
    PowerChecks current = checks();
    invertChannels(current);
    setChecks(current);
}

void PowerPickerDialog::rebuildWords() {
    std::uint32_t mask[9];
    std::copy(m_words.begin(), m_words.end(), mask);
    applyPowerChecks(checks(), mask);
    std::copy(std::begin(mask), std::end(mask), m_words.begin());
}

PowerChecks PowerPickerDialog::checks() const {
    return readChecks<std::tuple_size_v<PowerChecks>>(m_list);
}

void PowerPickerDialog::setChecks(const PowerChecks& checks) {
    writeChecks(m_list, checks);
}

} // namespace quorvan
