#include "ui/schedule/TimingListPage.h"

#include "core/files/ScheduleTypes.h"
#include "core/schedule/ScheduleModel.h"
#include "core/texts/TextTable.h"
#include "ui/common/AppContext.h"
#include "ui/common/EnterEscapeFilter.h"
#include "ui/common/ListSupport.h"
#include "ui/common/Messages.h"
#include "ui/common/Prompts.h"
#include "ui/common/ShellActions.h"
#include "ui/schedule/EntryEditor.h"

#include <QTableWidget>

namespace quorvan {

TimingListPage::TimingListPage(AppContext& context, ShellActions& shell, QWidget* parent)
    : QWidget(parent), m_context(context), m_shell(shell),
      m_list(makeReportList(this, kListId,
                            {QStringLiteral("序号"), QStringLiteral("星期"), QStringLiteral("开始时间"),
                             QStringLiteral("结束时间"), QStringLiteral("节目"), QStringLiteral("音频矩阵"),
                             QStringLiteral("电源")},
                            {50, 120, 80, 80, 80, 120, 120})),
      m_editor(new EntryEditor(context, this)), m_editorDock(makeEditorDock(this, m_editor)),
      m_logic(*this, *this, context.texts, context.names) {
    connect(m_editor, &EntryEditor::newRequested, this, [this] { m_logic.newEntry(); });
    connect(m_editor, &EntryEditor::saveRequested, this, [this] { m_logic.saveEntry(); });
    connect(m_editor, &EntryEditor::deleteRequested, this, [this] { m_logic.deleteEntry(); });
    connect(m_list, &QTableWidget::itemSelectionChanged, this,
            [this] { m_logic.followSelection(m_list->currentRow()); });
    connect(m_list, &QTableWidget::cellClicked, this, [this](int row, int) { m_logic.followSelection(row); });
    discardEnterAndEscape(this);
    layoutPage();
    retranslate();
}

TimingListPage::~TimingListPage() = default;

int TimingListPage::showTable(ScheduleTable* table, int capacity) {
    return m_logic.showTable(table, capacity);
}

void TimingListPage::showRow(int row, const TimingEntry* entry) {
    m_logic.showRow(row, entry);
}

void TimingListPage::layoutPage() {
    m_editor->fitWidth(width());
    dockEditor(this, m_list, m_editorDock, kBand);
}

void TimingListPage::retranslate() {
    m_editor->retranslate();
    QStringList headings;
    for (const int n : {30, 31, 32, 33, 34, 75, 36})
        headings << m_context.texts.text(n);
    setHeadings(m_list, headings);
    m_list->setAccessibleName(m_context.texts.text(TextId::TimingEntries));
    // Texts of another length may call for the other arrangement of the editor.
    layoutPage();
}

void TimingListPage::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layoutPage();
}

int TimingListPage::rowCount() const {
    return m_list->rowCount();
}
void TimingListPage::insertRow(int row) {
    m_list->insertRow(row);
}
void TimingListPage::removeRow(int row) {
    m_list->removeRow(row);
}
void TimingListPage::removeAllRows() {
    m_list->setRowCount(0);
}
void TimingListPage::setCells(int row, const QStringList& cells) {
    setRowTexts(m_list, row, cells);
}
void TimingListPage::setNumberCell(int row, const QString& text) {
    setCellText(m_list, row, 0, text);
}

int TimingListPage::selectedRow() const {
    const QList<QTableWidgetSelectionRange> ranges = m_list->selectedRanges();
    return ranges.isEmpty() ? -1 : ranges.front().topRow();
}

void TimingListPage::selectRow(int row) {
    if (row < 0 || row >= m_list->rowCount()) {
        m_list->clearSelection();
        return;
    }
    m_list->setCurrentCell(row, 0);
    m_list->selectRow(row);
    m_list->scrollToItem(m_list->item(row, 0));
}

void TimingListPage::loadEntry(const TimingEntry& entry) {
    m_editor->loadEntry(entry);
}

TimingEntry TimingListPage::storeEntry() {
    return m_editor->storeEntry();
}

void TimingListPage::saveDocument(EntryChange change, int entry) {
    const StepLabel::Kind kind = change == EntryChange::Added     ? StepLabel::Kind::AddEntry
                                 : change == EntryChange::Deleted ? StepLabel::Kind::DeleteEntry
                                                                  : StepLabel::Kind::ChangeEntry;
    m_shell.saveDocument({kind, m_context.model.current().fileName, entry, {}});
}

void TimingListPage::listFull() {
    const bool english = m_context.texts.language() == 1;
    m_context.prompts.message(QStringLiteral("错误"),
                              english ? QStringLiteral("The list is full: a schedule holds at most 256 entries.")
                                      : QStringLiteral("列表已满：一个时程表最多256条。"),
                              Prompts::Icon::Stop);
}

bool TimingListPage::hasUnsavedChanges() {
    return m_editor->hasUnsavedChanges();
}

LeaveAnswer TimingListPage::askToLeave() {
    return askToLeaveEntry(m_context.prompts, m_context.texts);
}

bool TimingListPage::entryCanBeSaved() {
    return m_editor->timesCanBeSaved();
}

} // namespace quorvan
