#include "editing/PageSetTimingDlg.h"

#include "app/AppContext.h"
#include "app/KeyFilter.h"
#include "editing/CellFormatters.h"
#include "editing/ListSupport.h"
#include "model/ScheduleTypes.h"
#include "settings/NameTables.h"
#include "settings/TextTable.h"

#include <QHeaderView>
#include <QTableWidget>

namespace quorvan {

PageSetTimingDlg::PageSetTimingDlg(AppContext& context, CommandSink& sink, QWidget* parent)
    : QWidget(parent), m_context(context), m_sink(sink),
      m_list(makeReportList(this, kListId,
                            {QStringLiteral("序号"), QStringLiteral("星期"), QStringLiteral("开始时间"),
                             QStringLiteral("结束时间"), QStringLiteral("节目"), QStringLiteral("音频矩阵"),
                             QStringLiteral("电源")},
                            {50, 120, 80, 80, 80, 120, 120})) {
    discardEnterAndEscape(this);
    InitPage();
    RefreshTexts();
}

int PageSetTimingDlg::ShowTable(ScheduleTable* table, int capacity) {
    if (!table || capacity <= 0 || capacity > kMaxEntries)
        return 0;
    m_table = table;
    m_list->setRowCount(0);
    const int count = std::clamp(table->count, 0, capacity);
    m_list->setRowCount(count);
    for (int i = 0; i < count; ++i)
        ShowRow(i, &table->entries[i]);
    if (count > 0)
        m_list->selectRow(0);
    return 1;
}

void PageSetTimingDlg::ShowRow(int row, const TimingEntry* entry) {
    if (!entry || row < 0 || row >= m_list->rowCount())
        return;
    if (!entry->used) {
        setRowTexts(m_list, row, QStringList(kColumnCount, QString()));
        return;
    }
    const TextTable& texts = m_context.texts;
    setRowTexts(m_list, row,
                {QString::number(row + 1), FormatWeekdays(entry->weekdays, texts),
                 FormatTime(entry->startHour, entry->startMinute, entry->startSecond),
                 FormatTime(entry->endHour, entry->endMinute, entry->endSecond),
                 FormatSources(entry->sourceMask, texts), FormatZones(entry->zoneMask, m_context.names),
                 FormatPower(entry->powerMask, m_context.names, texts)});
}

void PageSetTimingDlg::InitPage() {
    m_list->setGeometry(0, 0, width(), height());
}

void PageSetTimingDlg::RefreshTexts() {
    const TextTable& texts = m_context.texts;
    const int headings[kColumnCount] = {30, 31, 32, 33, 34, 75, 36};
    for (int c = 0; c < kColumnCount; ++c)
        m_list->horizontalHeaderItem(c)->setText(texts.Text(headings[c]));
}

void PageSetTimingDlg::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    InitPage();
}

} // namespace quorvan
