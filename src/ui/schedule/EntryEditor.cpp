#include "ui/schedule/EntryEditor.h"

#include "core/schedule/EntryRules.h"
#include "core/texts/TextTable.h"
#include "ui/common/AppContext.h"
#include "ui/common/TabOrder.h"
#include "ui/common/EnterEscapeFilter.h"
#include "ui/common/ListSupport.h"
#include "ui/common/Prompts.h"
#include "ui/schedule/EditorArrangement.h"
#include "ui/schedule/ZonePowerPanel.h"
#include "ui/sources/SourcePanel.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTimeEdit>
#include <QVBoxLayout>

namespace quorvan {

namespace {

QTimeEdit* makeTimePicker(QWidget* parent, const QString& name) {
    auto* t = new QTimeEdit(parent);
    t->setObjectName(name);
    t->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    t->setTime(QTime(0, 0, 0));
    return t;
}

} // namespace

EntryEditor::EntryEditor(AppContext& context, QWidget* parent)
    : QWidget(parent), m_context(context), m_entry(std::make_unique<TimingEntry>()),
      m_saved(std::make_unique<TimingEntry>()) {

    m_timeGroup = new QGroupBox(QStringLiteral("时间设定"), this);
    m_timeGroup->setObjectName(QStringLiteral("timeGroup"));
    m_startLabel = new QLabel(QStringLiteral("开始时间："), m_timeGroup);
    m_endLabel = new QLabel(QStringLiteral("结束时间："), m_timeGroup);
    m_start = makeTimePicker(m_timeGroup, QStringLiteral("startTime"));
    m_end = makeTimePicker(m_timeGroup, QStringLiteral("endTime"));
    m_startLabel->setBuddy(m_start); // the time fields are named by their labels
    m_endLabel->setBuddy(m_end);
    auto* timeLayout = new QGridLayout(m_timeGroup);
    timeLayout->addWidget(m_startLabel, 0, 0);
    timeLayout->addWidget(m_start, 0, 1);
    timeLayout->addWidget(m_endLabel, 1, 0);
    timeLayout->addWidget(m_end, 1, 1);
    const char16_t* dayNames[7] = {u"星期日", u"星期一", u"星期二", u"星期三", u"星期四", u"星期五", u"星期六"};
    const char* dayRoles[7] = {"sunday", "monday", "tuesday", "wednesday", "thursday", "friday", "saturday"};
    for (int i = 0; i < 7; ++i) {
        auto* box = new QCheckBox(QString::fromUtf16(dayNames[i]), m_timeGroup);
        box->setObjectName(QLatin1String(dayRoles[i]) + QStringLiteral("Check"));
        m_weekdays[std::size_t(i)] = box;
        // Monday first, Sunday last, two columns.
        const int slot = (i + 6) % 7;
        timeLayout->addWidget(box, 2 + slot / 2, slot % 2);
    }

    m_editGroup = new QGroupBox(QStringLiteral("编辑"), this);
    m_editGroup->setObjectName(QStringLiteral("editGroup"));
    m_new = makeButton(m_editGroup, QStringLiteral("newButton"), QStringLiteral("新建"));
    m_save = makeButton(m_editGroup, QStringLiteral("saveButton"), QStringLiteral("修改"));
    m_delete = makeButton(m_editGroup, QStringLiteral("deleteButton"), QStringLiteral("删除"));
    auto* editLayout = new QHBoxLayout(m_editGroup);
    editLayout->addWidget(m_new);
    editLayout->addWidget(m_save);
    editLayout->addWidget(m_delete);

    m_sourceGroup = SourcePanel::createHostGroup(context, this, m_panel);

    m_targets = new ZonePowerPanel(context, *m_entry, this);

    auto* left = new QVBoxLayout;
    left->addWidget(m_timeGroup);
    left->addWidget(m_editGroup);
    m_arrangement = std::make_unique<EditorArrangement>(this, left, m_sourceGroup, m_targets);

    connect(m_new, &QPushButton::clicked, this, &EntryEditor::newRequested);
    connect(m_save, &QPushButton::clicked, this, &EntryEditor::requestSave);
    connect(m_delete, &QPushButton::clicked, this, &EntryEditor::deleteRequested);

    discardEnterAndEscape(this);
    retranslate();
    resize(sizeHint());
}

EntryEditor::~EntryEditor() = default;

QPushButton* EntryEditor::button(EditButton which) const {
    switch (which) {
    case NewButton:
        return m_new;
    case SaveButton:
        return m_save;
    case DeleteButton:
        return m_delete;
    }
    return nullptr;
}

void EntryEditor::loadEntry(const TimingEntry& entry) {
    *m_entry = entry;
    for (int i = 0; i < 7; ++i)
        m_weekdays[std::size_t(i)]->setChecked((entry.weekdays >> i) & 1u);
    m_start->setTime(pickerTime(entry.startHour, entry.startMinute, entry.startSecond));
    m_end->setTime(pickerTime(entry.endHour, entry.endMinute, entry.endSecond));
    m_targets->showSummaries();
    m_panel->loadSourceSettings(*m_entry);
    *m_saved = editedEntry();
}

TimingEntry EntryEditor::storeEntry() {
    *m_saved = editedEntry();
    return *m_saved;
}

void EntryEditor::showEdit(const TimingEntry& edit) {
    const auto saved = std::make_unique<TimingEntry>(*m_saved);
    loadEntry(edit);
    *m_saved = *saved;
}

bool EntryEditor::hasUnsavedChanges() {
    return !(editedEntry() == *m_saved);
}

TimingEntry EntryEditor::editedEntry() {
    m_entry->used = 1;
    m_panel->saveSourceSettings(*m_entry);
    std::array<bool, 7> days{};
    for (int i = 0; i < 7; ++i)
        days[std::size_t(i)] = m_weekdays[std::size_t(i)]->isChecked();
    storeEditorFields(days, m_start->time(), m_end->time(), *m_entry);
    return *m_entry;
}

bool EntryEditor::timesCanBeSaved() {
    if (!sameTimes(m_start->time(), m_end->time()))
        return true;
    // A fixed Chinese message in both languages.
    m_context.prompts.message(QStringLiteral("提示信息"), QStringLiteral("开始时间和结束时间不能重复!"),
                              Prompts::Icon::None);
    return false;
}

void EntryEditor::requestSave() {
    if (timesCanBeSaved())
        emit saveRequested();
}

void EntryEditor::retranslate() {
    const TextTable& t = m_context.texts;
    m_panel->retranslate();
    m_timeGroup->setTitle(t.text(TextId::SettingTime));
    m_startLabel->setText(t.text(TextId::StartTime));
    m_endLabel->setText(t.text(TextId::EndTime));
    m_weekdays[0]->setText(t.text(TextId::Sunday));
    for (int i = 1; i < 7; ++i)
        m_weekdays[std::size_t(i)]->setText(t.text(TextId::Monday + i - 1));
    m_editGroup->setTitle(t.text(TextId::TimingEdit));
    m_new->setText(t.text(TextId::New));
    m_save->setText(t.text(TextId::Save));
    m_delete->setText(t.text(TextId::Delete));
    m_sourceGroup->setTitle(t.text(TextId::Aux));
    m_targets->retranslate();
}

bool EntryEditor::fitWidth(int width) {
    return m_arrangement->fitWidth(width);
}

bool EntryEditor::focusNextPrevChild(bool next) {
    // Reading order where the controls stand now, in either language and arrangement.
    return moveFocusInReadingOrder(this, next) || QWidget::focusNextPrevChild(next);
}

} // namespace quorvan
