#include "ui/dialogs/CopyDialog.h"

#include "core/files/ScheduleFile.h"
#include "core/history/ChangeRecorder.h"
#include "core/schedule/ScheduleCopy.h"
#include "core/texts/TextTable.h"
#include "ui/common/AppContext.h"
#include "ui/common/Messages.h"
#include "ui/common/Prompts.h"
#include "ui/common/ShellActions.h"

#include <QComboBox>

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <optional>

namespace quorvan {

namespace {

QComboBox* makeCombo(QWidget* parent, const char* name) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QLatin1String(name));
    combo->setMinimumWidth(160);
    return combo;
}

void fillChoices(QComboBox* combo, const std::vector<EntryChoice>& choices, int selectIndex) {
    const QSignalBlocker quiet(combo);
    combo->clear();
    for (const EntryChoice& c : choices)
        combo->addItem(c.text, c.number);
    combo->setCurrentIndex(selectIndex >= 0 && selectIndex < combo->count() ? selectIndex : 0);
}

} // namespace

CopyDialog::CopyDialog(AppContext& context, ShellActions& shell, QWidget* parent)
    : QDialog(parent), m_context(context), m_shell(shell) {
    m_group = new QGroupBox(this);
    m_group->setObjectName(QStringLiteral("copyGroup"));
    m_fromLabel = new QLabel(m_group);
    m_fromLabel->setObjectName(QStringLiteral("fromLabel"));
    m_toLabel = new QLabel(m_group);
    m_toLabel->setObjectName(QStringLiteral("toLabel"));
    m_sourceDocs = makeCombo(m_group, "sourceDocuments");
    m_sourceEntries = makeCombo(m_group, "sourceEntries");
    m_targetDocs = makeCombo(m_group, "targetDocuments");
    m_targetEntries = makeCombo(m_group, "targetEntries");
    m_copy = new QPushButton(m_group);
    m_fromLabel->setBuddy(m_sourceDocs);
    m_toLabel->setBuddy(m_targetDocs);
    m_copy->setObjectName(QStringLiteral("copyButton"));

    auto* grid = new QGridLayout(m_group);
    grid->addWidget(m_fromLabel, 0, 0);
    grid->addWidget(m_sourceDocs, 0, 1);
    grid->addWidget(m_sourceEntries, 0, 2);
    grid->addWidget(m_toLabel, 1, 0);
    grid->addWidget(m_targetDocs, 1, 1);
    grid->addWidget(m_targetEntries, 1, 2);
    grid->addWidget(m_copy, 2, 2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_group);

    // Both document lists hold every document in list order; an item's data is its position.
    const auto& docs = m_context.model.documents();
    for (std::size_t i = 0; i < docs.size(); ++i) {
        m_sourceDocs->addItem(docs[i].caption, int(i));
        m_targetDocs->addItem(docs[i].caption, int(i));
    }
    showSourceEntries();
    showTargetEntries();

    connect(m_sourceDocs, &QComboBox::currentIndexChanged, this, &CopyDialog::showSourceEntries);
    connect(m_sourceEntries, &QComboBox::currentIndexChanged, this, &CopyDialog::applySourceEntryRule);
    connect(m_targetDocs, &QComboBox::currentIndexChanged, this, &CopyDialog::showTargetEntries);
    connect(m_copy, &QPushButton::clicked, this, &CopyDialog::copySelected);
    retranslate();
}

CopyDialog::~CopyDialog() = default;

void CopyDialog::retranslate() {
    const TextTable& t = m_context.texts;
    setWindowTitle(t.text(TextId::CopyTiming));
    m_group->setTitle(t.text(TextId::CopyTiming));
    m_fromLabel->setText(t.text(TextId::CopyListFrom));
    m_toLabel->setText(t.text(TextId::CopyTo));
    m_copy->setText(t.text(TextId::CopyNow));
    m_sourceEntries->setAccessibleName(t.text(TextId::EntriesToCopy));
    m_targetEntries->setAccessibleName(t.text(TextId::WhereToCopy));
}

int CopyDialog::position(const QComboBox* documents) const {
    return documents->currentData().toInt();
}

int CopyDialog::choice(const QComboBox* entries) {
    return entries->currentIndex() < 0 ? -1 : entries->currentData().toInt();
}

void CopyDialog::fillSourceEntries(int selectIndex) {
    const DocumentInfo& doc = m_context.model.documents()[std::size_t(position(m_sourceDocs))];
    fillChoices(m_sourceEntries, sourceEntryChoices(doc.kind, m_sourceCount, m_context.texts), selectIndex);
}

void CopyDialog::fillTargetEntries(int selectIndex) {
    const DocumentInfo& doc = m_context.model.documents()[std::size_t(position(m_targetDocs))];
    fillChoices(m_targetEntries, targetEntryChoices(doc.kind, m_targetCount, m_context.texts), selectIndex);
}

void CopyDialog::showSourceEntries() {
    m_sourceCount = entryCountForCopy(m_context.model.programFolder(),
                                      m_context.model.documents()[std::size_t(position(m_sourceDocs))]);
    fillSourceEntries(0);
    applySourceEntryRule();
}

void CopyDialog::showTargetEntries() {
    m_targetCount = entryCountForCopy(m_context.model.programFolder(),
                                      m_context.model.documents()[std::size_t(position(m_targetDocs))]);
    fillTargetEntries(0);
    if (choice(m_sourceEntries) == kChoiceAll)
        applySourceEntryRule();
}

void CopyDialog::applySourceEntryRule() {
    if (choice(m_sourceEntries) == kChoiceAll) {
        // All entries go to all entries: the target list offers only "[ All ]".
        fillChoices(m_targetEntries, {{m_context.texts.text(TextId::ChoiceAll), kChoiceAll}}, 0);
        m_targetEntries->setEnabled(false);
    } else {
        m_targetEntries->setEnabled(true);
        fillTargetEntries(0);
    }
}

void CopyDialog::copySelected() {
    const int s = position(m_sourceDocs), t = position(m_targetDocs);
    const int o = choice(m_sourceEntries), v = choice(m_targetEntries);
    const int sourceIndex = m_sourceEntries->currentIndex();
    const int targetIndex = m_targetEntries->currentIndex();
    const QString programFolder = m_context.model.programFolder();
    const QString targetFile = t >= 0 && std::size_t(t) < m_context.model.documents().size()
                                   ? m_context.model.documents()[std::size_t(t)].fileName
                                   : QString();
    // The target file is kept and recorded before the copy writes it: the copy is one undoable step.
    std::optional<ChangeRecorder> recorder;
    if (!targetFile.isEmpty())
        recorder.emplace(dataFolderPath(programFolder), QStringList{targetFile}, &m_context.backups);
    // The copy reads both files afresh into tables that live only while it works.
    ScheduleTable source, target;
    const CopyOutcome outcome = copyEntries(programFolder, m_context.model.documents(), s, o, t, v, source, target);
    const TextTable& texts = m_context.texts;
    if (outcome.refusal != 0) {
        m_context.prompts.message(texts.text(TextId::Warning), texts.text(outcome.refusal), Prompts::Icon::Stop);
        return;
    }
    if (recorder) {
        const int entry = outcome.appended ? target.count() - 1 : (v >= 0 && v < kMaxEntries ? v : -1);
        m_shell.addStep(recorder->finish({StepLabel::Kind::Copy, targetFile, entry, {}}));
    }
    m_shell.reloadDocument();
    if (outcome.save.ok)
        m_context.prompts.message(texts.text(TextId::Message), texts.text(TextId::CopySuccess), Prompts::Icon::None);
    else
        m_context.prompts.message(texts.text(TextId::Warning), saveFailureText(texts, outcome.save),
                                  Prompts::Icon::Stop);

    // Both sides again from their files, keeping the selections ("[ New ]" stays selected after an append).
    m_sourceCount = entryCountForCopy(programFolder, m_context.model.documents()[std::size_t(s)]);
    fillSourceEntries(sourceIndex);
    m_targetCount = entryCountForCopy(programFolder, m_context.model.documents()[std::size_t(t)]);
    if (choice(m_sourceEntries) == kChoiceAll)
        applySourceEntryRule();
    else {
        m_targetEntries->setEnabled(true);
        fillTargetEntries(targetIndex + (outcome.appended ? 1 : 0));
    }
}

} // namespace quorvan
