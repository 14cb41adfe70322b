#include "ui/schedule/RemoteKeyEditor.h"

#include "core/texts/TextTable.h"
#include "ui/common/AppContext.h"
#include "ui/common/EnterEscapeFilter.h"
#include "ui/common/ListSupport.h"
#include "ui/schedule/EditorArrangement.h"
#include "ui/schedule/ZonePowerPanel.h"
#include "ui/sources/SourcePanel.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace quorvan {

RemoteKeyEditor::RemoteKeyEditor(AppContext& context, QWidget* parent)
    : QWidget(parent), m_context(context), m_entry(std::make_unique<TimingEntry>()),
      m_saved(std::make_unique<TimingEntry>()) {

    m_keyGroup = new QGroupBox(QStringLiteral("遥控键选择"), this);
    m_keyGroup->setObjectName(QStringLiteral("keyGroup"));
    m_keyLabel = new QLabel(QStringLiteral("设定遥控键："), m_keyGroup);
    m_keyLabel->setObjectName(QStringLiteral("keyLabel"));
    m_keys = new QComboBox(m_keyGroup);
    m_keys->setObjectName(QStringLiteral("keyChoice"));
    fillKeys(QStringLiteral("遥控键"));
    auto* keyLayout = new QVBoxLayout(m_keyGroup);
    keyLayout->addWidget(m_keyLabel);
    keyLayout->addWidget(m_keys);
    keyLayout->addStretch(1);

    m_editGroup = new QGroupBox(QStringLiteral("编辑"), this);
    m_editGroup->setObjectName(QStringLiteral("editGroup"));
    m_save = makeButton(m_editGroup, QStringLiteral("saveButton"), QStringLiteral("保存/修改"));
    m_delete = makeButton(m_editGroup, QStringLiteral("deleteButton"), QStringLiteral("删除/清空"));
    auto* editLayout = new QHBoxLayout(m_editGroup);
    editLayout->addWidget(m_save);
    editLayout->addWidget(m_delete);

    m_sourceGroup = SourcePanel::createHostGroup(context, this, m_panel);

    m_targets = new ZonePowerPanel(context, *m_entry, this);

    auto* left = new QVBoxLayout;
    left->addWidget(m_keyGroup, 1);
    left->addWidget(m_editGroup);
    m_arrangement = std::make_unique<EditorArrangement>(this, left, m_sourceGroup, m_targets);

    connect(m_save, &QPushButton::clicked, this, &RemoteKeyEditor::saveRequested);
    connect(m_delete, &QPushButton::clicked, this, &RemoteKeyEditor::deleteRequested);

    discardEnterAndEscape(this);
    retranslate();
    resize(sizeHint());
}

RemoteKeyEditor::~RemoteKeyEditor() = default;

void RemoteKeyEditor::fillKeys(const QString& stem) {
    QStringList keys;
    for (int k = 1; k <= kRemoteKeyCount; ++k)
        keys << stem + QString::number(k);
    setComboTexts(m_keys, keys); // the key being edited stays the one chosen
}

int RemoteKeyEditor::selectedKey() const {
    return m_keys->currentIndex();
}

void RemoteKeyEditor::loadPreset(int k, const TimingEntry& entry) {
    *m_entry = entry;
    if (k >= 0 && k < m_keys->count())
        m_keys->setCurrentIndex(k);
    m_targets->showSummaries();
    m_panel->loadSourceSettings(*m_entry);
    *m_saved = editedPreset();
}

TimingEntry RemoteKeyEditor::storePreset() {
    *m_saved = editedPreset();
    return *m_saved;
}

void RemoteKeyEditor::showEdit(const TimingEntry& edit) {
    const auto saved = std::make_unique<TimingEntry>(*m_saved);
    loadPreset(selectedKey(), edit);
    *m_saved = *saved;
}

bool RemoteKeyEditor::hasUnsavedChanges() {
    return !(editedPreset() == *m_saved);
}

TimingEntry RemoteKeyEditor::editedPreset() {
    m_entry->used = 1;
    m_panel->saveSourceSettings(*m_entry);
    return *m_entry;
}

void RemoteKeyEditor::retranslate() {
    const TextTable& t = m_context.texts;
    m_panel->retranslate();
    fillKeys(t.text(TextId::RemoteKey));
    m_keyGroup->setTitle(t.text(TextId::SettingRemote));
    m_keyLabel->setText(t.text(TextId::SelectRemote));
    m_editGroup->setTitle(t.text(TextId::TimingEdit));
    m_save->setText(t.text(TextId::Save));
    m_delete->setText(t.text(TextId::Delete));
    m_sourceGroup->setTitle(t.text(TextId::Aux));
    m_targets->retranslate();
}

bool RemoteKeyEditor::fitWidth(int width) {
    return m_arrangement->fitWidth(width);
}

} // namespace quorvan
