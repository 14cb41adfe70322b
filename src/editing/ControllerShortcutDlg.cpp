#include "editing/ControllerShortcutDlg.h"

#include "app/AppContext.h"
#include "app/KeyFilter.h"
#include "editing/ControllerACfgDlg.h"
#include "editing/ListSupport.h"
#include "editing/ZonePowerGroups.h"
#include "settings/TextTable.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include <cstring>

namespace quorvan {

ControllerShortcutDlg::ControllerShortcutDlg(AppContext& context, QWidget* parent)
    : QWidget(parent), m_context(context), m_entry(std::make_unique<TimingEntry>()) {
    std::memset(m_entry.get(), 0, sizeof(TimingEntry));

    m_keyGroup = new QGroupBox(QStringLiteral("遥控键选择"), this);
    m_keyGroup->setObjectName(QStringLiteral("group1152"));
    m_keyLabel = new QLabel(QStringLiteral("设定遥控键："), m_keyGroup);
    m_keyLabel->setObjectName(QStringLiteral("label1153"));
    m_keys = new QComboBox(m_keyGroup);
    m_keys->setObjectName(QStringLiteral("combo%1").arg(KeyList));
    fillKeys(QStringLiteral("遥控键"));
    auto* keyLayout = new QVBoxLayout(m_keyGroup);
    keyLayout->addWidget(m_keyLabel);
    keyLayout->addWidget(m_keys);
    keyLayout->addStretch(1);

    m_editGroup = new QGroupBox(QStringLiteral("编辑"), this);
    m_editGroup->setObjectName(QStringLiteral("group1082"));
    m_save = makeIdButton(m_editGroup, SaveButton, QStringLiteral("保存/修改"));
    m_delete = makeIdButton(m_editGroup, DeleteButton, QStringLiteral("删除/清空"));
    auto* editLayout = new QHBoxLayout(m_editGroup);
    editLayout->addWidget(m_save);
    editLayout->addWidget(m_delete);

    m_sourceGroup = ControllerACfgDlg::createHostGroup(context, this, m_panel);

    m_targets = new ZonePowerGroups(context, *m_entry, this);

    auto* left = new QVBoxLayout;
    left->addWidget(m_keyGroup, 1);
    left->addWidget(m_editGroup);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 0, 4, 4);
    layout->addLayout(left);
    layout->addWidget(m_sourceGroup);
    layout->addWidget(m_targets, 1);

    connect(m_save, &QPushButton::clicked, this, [this] { emit commandForwarded(SaveButton); });
    connect(m_delete, &QPushButton::clicked, this, [this] { emit commandForwarded(DeleteButton); });

    discardEnterAndEscape(this);
    RefreshTexts();
    resize(sizeHint());
}

ControllerShortcutDlg::~ControllerShortcutDlg() = default;

void ControllerShortcutDlg::fillKeys(const QString& stem) {
    m_keys->clear();
    for (int k = 1; k <= kRemoteKeyCount; ++k)
        m_keys->addItem(stem + QString::number(k));
    m_keys->setCurrentIndex(0);
}

int ControllerShortcutDlg::selectedKey() const { return m_keys->currentIndex(); }

void ControllerShortcutDlg::LoadPreset(int k, const TimingEntry& entry) {
    *m_entry = entry;
    if (k >= 0 && k < m_keys->count())
        m_keys->setCurrentIndex(k);
    m_targets->showSummaries();
    m_panel->LoadSourceSettings(*m_entry);
}

TimingEntry ControllerShortcutDlg::StorePreset() {
    m_entry->used = 1;
    m_panel->SaveSourceSettings(*m_entry);
    return *m_entry;
}

void ControllerShortcutDlg::RefreshTexts() {
    const TextTable& t = m_context.texts;
    m_panel->RefreshSourceCaptions();
    fillKeys(t.Text(139));
    m_keyGroup->setTitle(t.Text(84));
    m_keyLabel->setText(t.Text(85));
    m_editGroup->setTitle(t.Text(45));
    m_save->setText(t.Text(47));
    m_delete->setText(t.Text(48));
    m_sourceGroup->setTitle(t.Text(50));
    m_targets->RefreshTexts();
}

} // namespace quorvan
