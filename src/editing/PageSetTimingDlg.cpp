#include "editing/PageSetTimingDlg.h"

#include "app/AppContext.h"
#include "app/Commands.h"
#include "app/KeyFilter.h"
#include "app/Prompts.h"
#include "editing/ControllerSettingDlg.h"
#include "editing/ListSupport.h"
#include "model/ScheduleTypes.h"
#include "settings/TextTable.h"

#include <QTableWidget>

namespace quorvan {

PageSetTimingDlg::PageSetTimingDlg(AppContext& context, CommandSink& sink, QWidget* parent)
    : QWidget(parent), m_context(context), m_sink(sink),
      m_list(makeReportList(this, kListId,
                            {QStringLiteral("序号"), QStringLiteral("星期"), QStringLiteral("开始时间"),
                             QStringLiteral("结束时间"), QStringLiteral("节目"), QStringLiteral("音频矩阵"),
                             QStringLiteral("电源")},
                            {50, 120, 80, 80, 80, 120, 120})),
      m_editor(new ControllerSettingDlg(context, this)), m_logic(*this, *this, context.texts, context.names) {
    connect(m_editor, &ControllerSettingDlg::commandForwarded, this, &PageSetTimingDlg::onCommand);
    connect(m_list, &QTableWidget::itemSelectionChanged, this, [this] { m_logic.onSelection(m_list->currentRow()); });
    connect(m_list, &QTableWidget::cellClicked, this, [this](int row, int) { m_logic.onSelection(row); });
    discardEnterAndEscape(this);
    InitPage();
    RefreshTexts();
}

PageSetTimingDlg::~PageSetTimingDlg() = default;

int PageSetTimingDlg::ShowTable(ScheduleTable* table, int capacity) { return m_logic.ShowTable(table, capacity); }

void PageSetTimingDlg::ShowRow(int row, const TimingEntry* entry) { m_logic.ShowRow(row, entry); }

void PageSetTimingDlg::onCommand(int id) {
    switch (id) {
    case ControllerSettingDlg::NewButton: m_logic.New(); break;
    case ControllerSettingDlg::SaveButton: m_logic.Save(); break;
    case ControllerSettingDlg::DeleteButton: m_logic.Delete(); break;
    default: break;
    }
}

void PageSetTimingDlg::InitPage() { dockEditor(this, m_list, m_editor, kBand); }

void PageSetTimingDlg::RefreshTexts() {
    m_editor->RefreshTexts();
    const int headings[kColumnCount] = {30, 31, 32, 33, 34, 75, 36};
    for (int c = 0; c < kColumnCount; ++c)
        m_list->horizontalHeaderItem(c)->setText(m_context.texts.Text(headings[c]));
}

void PageSetTimingDlg::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    InitPage();
}

int PageSetTimingDlg::rowCount() const { return m_list->rowCount(); }
void PageSetTimingDlg::insertRow(int row) { m_list->insertRow(row); }
void PageSetTimingDlg::removeRow(int row) { m_list->removeRow(row); }
void PageSetTimingDlg::removeAllRows() { m_list->setRowCount(0); }
void PageSetTimingDlg::setCells(int row, const QStringList& cells) { setRowTexts(m_list, row, cells); }
void PageSetTimingDlg::setNumberCell(int row, const QString& text) { setCellText(m_list, row, 0, text); }

int PageSetTimingDlg::selectedRow() const {
    const QList<QTableWidgetSelectionRange> ranges = m_list->selectedRanges();
    return ranges.isEmpty() ? -1 : ranges.front().topRow();
}

void PageSetTimingDlg::selectRow(int row) {
    if (row < 0 || row >= m_list->rowCount()) {
        m_list->clearSelection();
        return;
    }
    m_list->setCurrentCell(row, 0);
    m_list->selectRow(row);
    m_list->scrollToItem(m_list->item(row, 0));
}

void PageSetTimingDlg::LoadEntry(const TimingEntry& entry) { m_editor->LoadEntry(entry); }

TimingEntry PageSetTimingDlg::StoreEntry() { return m_editor->StoreEntry(); }

void PageSetTimingDlg::saveDocument() { m_sink.command(CMD_SAVE_DOCUMENT); }

void PageSetTimingDlg::listFull() {
    const bool english = m_context.texts.language() == 1;
    m_context.prompts.message(QStringLiteral("错误"),
                              english ? QStringLiteral("The list is full: a schedule holds at most 256 entries.")
                                      : QStringLiteral("列表已满：一个时程表最多256条。"),
                              Prompts::Icon::Stop);
}

} // namespace quorvan
