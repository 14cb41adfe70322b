#include "editing/PageSetShortcutDlg.h"

#include "app/AppContext.h"
#include "app/KeyFilter.h"
#include "editing/CellFormatters.h"
#include "editing/ListSupport.h"
#include "model/ScheduleTypes.h"
#include "settings/NameTables.h"
#include "settings/TextTable.h"

#include <QTableWidget>

namespace quorvan {

PageSetShortcutDlg::PageSetShortcutDlg(AppContext& context, CommandSink& sink, QWidget* parent)
    : QWidget(parent), m_context(context), m_sink(sink),
      m_list(makeReportList(this, kListId,
                            {QStringLiteral("序号"), QStringLiteral("遥控键"), QStringLiteral("节目"),
                             QStringLiteral("音频矩阵"), QStringLiteral("电源")},
                            {50, 100, 100, 120, 120})) {
    m_list->setRowCount(kRemoteKeyCount);
    discardEnterAndEscape(this);
    InitPage();
    RefreshTexts();
}

QString PageSetShortcutDlg::keyName(int row) const { return m_context.texts.Text(139) + QString::number(row + 1); }

int PageSetShortcutDlg::ShowTable(ScheduleTable* table, int capacity) {
    if (!table || capacity > kRemoteKeyCount)
        return 0;
    m_table = table;
    table->count = kRemoteKeyCount;
    for (int k = 0; k < capacity; ++k)
        ShowRow(k, &table->entries[k]);
    m_list->selectRow(0);
    return 1;
}

void PageSetShortcutDlg::ShowRow(int row, const TimingEntry* entry) {
    if (!entry || row < 0 || row >= m_list->rowCount())
        return;
    // The number column stays empty; the key name is written for every slot.
    setCellText(m_list, row, 0, QString());
    setCellText(m_list, row, 1, keyName(row));
    const bool used = entry->used != 0;
    setCellText(m_list, row, 2, used ? FormatSources(entry->sourceMask, m_context.texts) : QString());
    setCellText(m_list, row, 3, used ? FormatZones(entry->zoneMask, m_context.names) : QString());
    setCellText(m_list, row, 4, used ? FormatPower(entry->powerMask, m_context.names, m_context.texts) : QString());
}

void PageSetShortcutDlg::InitPage() {
    m_list->setGeometry(0, 0, width(), height());
}

void PageSetShortcutDlg::RefreshTexts() {
    const int headings[kColumnCount] = {30, 38, 34, 75, 36};
    for (int c = 0; c < kColumnCount; ++c)
        m_list->horizontalHeaderItem(c)->setText(m_context.texts.Text(headings[c]));
}

void PageSetShortcutDlg::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    InitPage();
}

} // namespace quorvan
