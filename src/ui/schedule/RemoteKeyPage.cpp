#include "ui/schedule/RemoteKeyPage.h"

#include "core/files/ScheduleTypes.h"
#include "core/schedule/EntryFormat.h"
#include "core/schedule/ScheduleModel.h"
#include "core/settings/NameTables.h"
#include "core/texts/TextTable.h"
#include "ui/common/AppContext.h"
#include "ui/common/EditorSplit.h"
#include "ui/common/EnterEscapeFilter.h"
#include "ui/common/ListSupport.h"
#include "ui/common/Messages.h"
#include "ui/common/ShellActions.h"
#include "ui/schedule/RemoteKeyEditor.h"

#include <QTableWidget>

namespace quorvan {

RemoteKeyPage::RemoteKeyPage(AppContext& context, ShellActions& shell, QWidget* parent)
    : QWidget(parent), m_context(context), m_shell(shell),
      m_list(makeReportList(this, QStringLiteral("keyList"),
                            {QStringLiteral("序号"), QStringLiteral("遥控键"), QStringLiteral("节目"),
                             QStringLiteral("音频矩阵"), QStringLiteral("电源")},
                            {50, 100, 100, 120, 120})),
      m_editor(new RemoteKeyEditor(context, this)), m_editorDock(makeEditorDock(this, m_editor)),
      m_split(new EditorSplit(this, m_list, m_editorDock, kBand, context.settings, QStringLiteral("keyEditorHeight"))) {
    m_list->setRowCount(kRemoteKeyCount);
    connect(m_editor, &RemoteKeyEditor::saveRequested, this, &RemoteKeyPage::savePreset);
    connect(m_editor, &RemoteKeyEditor::deleteRequested, this, &RemoteKeyPage::deletePreset);
    connect(m_list, &QTableWidget::itemSelectionChanged, this, [this] { followSelection(m_list->currentRow()); });
    connect(m_list, &QTableWidget::cellClicked, this, [this](int row, int) { followSelection(row); });
    discardEnterAndEscape(this);
    layoutPage();
    retranslate();
}

QString RemoteKeyPage::keyName(int row) const {
    return m_context.texts.text(TextId::RemoteKey) + QString::number(row + 1);
}

int RemoteKeyPage::selectedRow() const {
    const QList<QTableWidgetSelectionRange> ranges = m_list->selectedRanges();
    return ranges.isEmpty() ? -1 : ranges.front().topRow();
}

int RemoteKeyPage::showDocument(ScheduleDocument* document) {
    if (!document || !document->fixedSize())
        return 0;
    ++m_documentsShown;
    m_document = document;
    for (int k = 0; k < document->count(); ++k)
        showRow(k, &document->entry(k));
    {
        const QSignalBlocker quiet(m_list);
        m_list->setCurrentCell(0, 0);
        m_list->selectRow(0);
    }
    m_editor->loadPreset(0, document->entry(0));
    m_shownRow = 0;
    return 1;
}

void RemoteKeyPage::showRow(int row, const TimingEntry* entry) {
    if (!entry || row < 0 || row >= m_list->rowCount())
        return;
    // The number column stays empty; the key name is written for every slot.
    setCellText(m_list, row, 0, QString());
    setCellText(m_list, row, 1, keyName(row));
    const bool used = entry->used != 0;
    setCellText(m_list, row, 2, used ? formatSources(entry->sourceMask, m_context.texts) : QString());
    setCellText(m_list, row, 3, used ? formatZones(entry->zoneMask, m_context.names) : QString());
    setCellText(m_list, row, 4, used ? formatPower(entry->powerMask, m_context.names, m_context.texts) : QString());
}

void RemoteKeyPage::followSelection(int notifiedRow) {
    if (m_asking || notifiedRow < 0 || !m_document)
        return;
    const int s = selectedRow();
    if (s == m_shownRow)
        return; // the same row again: the editor keeps what it shows, edits included
    const bool stay = !leaveShownPreset();
    if (stay || s < 0 || s >= kRemoteKeyCount) {
        // Back to the row the editor shows; a deselection never leaves Delete without a row.
        const QSignalBlocker quiet(m_list);
        m_list->selectRow(m_shownRow);
        if (!stay && m_shownRow >= 0)
            m_editor->loadPreset(m_shownRow, m_document->entry(m_shownRow));
        return;
    }
    m_editor->loadPreset(s, m_document->entry(s));
    m_shownRow = s;
}

bool RemoteKeyPage::leaveShownPreset() {
    if (!m_document || !m_editor->hasUnsavedChanges())
        return true;
    m_asking = true;
    const LeaveAnswer answer = askToLeaveEntry(m_context.prompts, m_context.texts);
    m_asking = false;
    if (answer == LeaveAnswer::Stay)
        return false;
    if (answer == LeaveAnswer::Save) {
        const QSignalBlocker quiet(m_list);
        return savePreset(); // not written: the operator stays with the edit
    }
    return true;
}

template <class Write> bool RemoteKeyPage::keepingEdit(Write&& write) {
    const int key = m_editor->selectedKey();
    const TimingEntry edit = m_editor->currentEdit();
    const int shownBefore = m_documentsShown;
    if (write())
        return true;
    if (m_documentsShown != shownBefore && key >= 0 && key < kRemoteKeyCount) {
        // The file was shown again: back to the key being edited, with the edit in the editor, unsaved.
        showKey(key);
        m_editor->showEdit(edit);
    }
    return false;
}

bool RemoteKeyPage::savePreset() {
    if (!m_document || !keepingEdit([this] { return m_shell.mayWriteDocument(); }))
        return false;
    const int k = m_editor->selectedKey();
    const TimingEntry preset = m_editor->storePreset();
    m_document->replace(k, preset);
    showRow(k, &preset);
    const bool saved = keepingEdit(
        [&] { return m_shell.saveDocument({StepLabel::Kind::SavePreset, m_context.model.current().fileName, k, {}}); });
    if (saved && k >= 0 && k < kRemoteKeyCount && k != m_shownRow) {
        // Saved to another key than the row's: the list follows the key list, so that both name one key.
        const QSignalBlocker quiet(m_list);
        m_list->setCurrentCell(k, 0);
        m_list->selectRow(k);
        m_shownRow = k;
    }
    return saved;
}

void RemoteKeyPage::deletePreset() {
    if (!m_document || !keepingEdit([this] { return m_shell.mayWriteDocument(); }))
        return;
    const int s = selectedRow();
    m_document->remove(s); // the key stays, its preset empty
    static const TimingEntry zero{};
    showRow(s, &zero);
    m_list->setFocus();
    if (s >= 0) {
        // The editor keeps showing the deleted preset until another row is chosen; a Save stores it again.
        const QSignalBlocker quiet(m_list);
        m_list->selectRow(s);
        m_list->scrollToItem(m_list->item(s, 1));
    }
    keepingEdit(
        [&] { return m_shell.saveDocument({StepLabel::Kind::ClearPreset, m_context.model.current().fileName, s, {}}); });
}

void RemoteKeyPage::layoutPage() {
    m_editor->fitWidth(width());
    m_split->fit();
}

void RemoteKeyPage::retranslate() {
    m_editor->retranslate();
    QStringList headings;
    for (const int n :
         {TextId::NumberColumn, TextId::ShortcutColumn, TextId::SoundColumn, TextId::ZoneSelect, TextId::PowerColumn})
        headings << m_context.texts.text(n);
    setHeadings(m_list, headings);
    m_list->setAccessibleName(m_context.texts.text(TextId::RemoteList));
    for (int k = 0; k < m_list->rowCount(); ++k)
        setCellText(m_list, k, 1, keyName(k));
    // Texts of another length may call for the other arrangement of the editor.
    layoutPage();
}

void RemoteKeyPage::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layoutPage();
}

bool RemoteKeyPage::editorHasUnsavedChanges() const {
    return m_document && m_editor->hasUnsavedChanges();
}

void RemoteKeyPage::showKey(int k) {
    if (!m_document || k < 0 || k >= kRemoteKeyCount)
        return;
    {
        const QSignalBlocker quiet(m_list);
        m_list->setCurrentCell(k, 0);
        m_list->selectRow(k);
    }
    m_editor->loadPreset(k, m_document->entry(k));
    m_shownRow = k;
}

} // namespace quorvan
