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
      m_split(new EditorSplit(this, m_list, m_editorDock, kBand, context.settings, QStringLiteral("keyEditorHeight"))),
      m_rows(m_list), m_logic(m_rows, *this, context.texts, context.names) {
    m_list->setRowCount(kRemoteKeyCount);
    connect(m_editor, &RemoteKeyEditor::saveRequested, this, &RemoteKeyPage::savePreset);
    connect(m_editor, &RemoteKeyEditor::deleteRequested, this, [this] {
        deletePreset();
        m_list->setFocus();
    });
    connect(m_list, &QTableWidget::itemSelectionChanged, this,
            [this] { m_logic.followSelection(m_list->currentRow()); });
    connect(m_list, &QTableWidget::cellClicked, this, [this](int row, int) { m_logic.followSelection(row); });
    discardEnterAndEscape(this);
    layoutPage();
    retranslate();
}

int RemoteKeyPage::showDocument(ScheduleDocument* document) {
    if (!document || !document->fixedSize())
        return 0;
    ++m_documentsShown;
    return m_logic.showDocument(document);
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
        setCellText(m_list, k, 1, m_context.texts.text(TextId::RemoteKey) + QString::number(k + 1));
    // Texts of another length may call for the other arrangement of the editor.
    layoutPage();
}

void RemoteKeyPage::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layoutPage();
}

bool RemoteKeyPage::editorHasUnsavedChanges() const {
    return m_logic.document() && m_editor->hasUnsavedChanges();
}

void RemoteKeyPage::loadEntry(int row, const TimingEntry& entry) {
    m_editor->loadPreset(row, entry);
}

TimingEntry RemoteKeyPage::storeEntry() {
    return m_editor->storePreset();
}

int RemoteKeyPage::storeTarget(int) {
    return m_editor->selectedKey();
}

bool RemoteKeyPage::hasUnsavedChanges() {
    return m_editor->hasUnsavedChanges();
}

LeaveAnswer RemoteKeyPage::askToLeave() {
    return askToLeaveEntry(m_context.prompts, m_context.texts);
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

bool RemoteKeyPage::mayWrite() {
    return keepingEdit([this] { return m_shell.mayWriteDocument(); });
}

bool RemoteKeyPage::saveDocument(EntryChange change, int entry, int, const QString&) {
    const StepLabel::Kind kind =
        change == EntryChange::Deleted ? StepLabel::Kind::ClearPreset : StepLabel::Kind::SavePreset;
    return keepingEdit([&] { return m_shell.saveDocument({kind, m_context.model.current().fileName, entry, {}}); });
}

} // namespace quorvan
