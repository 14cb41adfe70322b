#include "ui/schedule/ZonePickerDialog.h"

#include "core/settings/NameTables.h"
#include "core/texts/TextTable.h"
#include "ui/common/AppContext.h"
#include "ui/common/DialogUnits.h"
#include "ui/common/ListSupport.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace quorvan {

namespace {

constexpr int kZoneItems = 40;
constexpr int kColumnWidth = 100;
constexpr int kRowHeight = 22;

} // namespace

ZonePickerDialog::ZonePickerDialog(AppContext& context, const std::uint32_t (&mask)[9], QWidget* parent)
    : QDialog(parent), m_list(new QListWidget(this)), m_groups(new QComboBox(this)), m_actions(new QComboBox(this)) {
    std::copy(std::begin(mask), std::end(mask), m_words.begin());
    const TextTable& texts = context.texts;
    setWindowTitle(texts.text(TextId::ZoneSelect));
    resize(dluX(456), dluY(226));

    m_list->setObjectName(QStringLiteral("zoneList"));
    setUpCheckGrid(m_list, QSize(kColumnWidth, kRowHeight));

    const ZoneChecks given = zoneChecks(mask);
    for (int z = 0; z < kZoneItems; ++z) {
        auto* item = new QListWidgetItem(context.names.display(NameTable::Zones, z), m_list);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(given[std::size_t(z)] ? Qt::Checked : Qt::Unchecked);
    }
    fitCheckGrid(m_list, QSize(kColumnWidth, kRowHeight));
    m_list->setAccessibleName(texts.text(TextId::ZoneSelect));

    auto* groupLabel = new QLabel(texts.text(TextId::ZoneGroup), this);
    groupLabel->setObjectName(QStringLiteral("groupLabel"));
    m_groups->setObjectName(QStringLiteral("groupChoice"));
    for (int n = 0; n < 10; ++n)
        m_groups->addItem(texts.text(TextId::FirstZoneGroup + n));
    m_groups->setCurrentIndex(0);
    groupLabel->setBuddy(m_groups);

    auto* actionLabel = new QLabel(texts.text(TextId::OnOff), this);
    actionLabel->setObjectName(QStringLiteral("actionLabel"));
    m_actions->setObjectName(QStringLiteral("actionChoice"));
    m_actions->addItems({QString(), texts.text(TextId::AllOn), texts.text(TextId::AllOff)});
    m_actions->setCurrentIndex(0);
    actionLabel->setBuddy(m_actions);

    auto* ok = new QPushButton(texts.text(TextId::Enter), this);
    ok->setObjectName(QStringLiteral("button1"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(texts.text(TextId::Cancel), this);
    cancel->setObjectName(QStringLiteral("button2"));

    connect(m_groups, &QComboBox::currentIndexChanged, this, [this] { resetGroupAction(); });
    connect(m_actions, &QComboBox::currentIndexChanged, this, [this](int action) { applyGroupAction(action); });
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* controls = new QHBoxLayout;
    controls->addWidget(groupLabel);
    controls->addWidget(m_groups);
    controls->addSpacing(16);
    controls->addWidget(actionLabel);
    controls->addWidget(m_actions);
    controls->addStretch(1);
    controls->addWidget(ok);
    controls->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addLayout(controls);
}

std::optional<std::array<std::uint32_t, 9>> ZonePickerDialog::pick(AppContext& context, const std::uint32_t (&mask)[9],
                                                                   QWidget* parent) {
    ZonePickerDialog dialog(context, mask, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.words();
}

void ZonePickerDialog::accept() {
    std::uint32_t mask[9];
    std::copy(m_words.begin(), m_words.end(), mask);
    applyZoneChecks(checks(), mask);
    std::copy(std::begin(mask), std::end(mask), m_words.begin());
    QDialog::accept();
}

// A new group starts with no action chosen, so that the next choice applies to it.
void ZonePickerDialog::resetGroupAction() {
    m_actions->setCurrentIndex(0);
}

void ZonePickerDialog::applyGroupAction(int action) {
    ZoneChecks current = checks();
    applyZoneGroupAction(m_groups->currentIndex(), action, current);
    setChecks(current);
}

ZoneChecks ZonePickerDialog::checks() const {
    return readChecks<std::tuple_size_v<ZoneChecks>>(m_list);
}

void ZonePickerDialog::setChecks(const ZoneChecks& checks) {
    writeChecks(m_list, checks);
}

} // namespace quorvan
