#include "editing/PageSetShortcutDlg.h"

#include "app/AppContext.h"
#include "app/Commands.h"
#include "app/KeyFilter.h"
#include "editing/CellFormatters.h"
#include "editing/ControllerShortcutDlg.h"
#include "editing/ListSupport.h"
#include "model/ScheduleTypes.h"
#include "settings/NameTables.h"
#include "settings/TextTable.h"

#include <QTableWidget>

#include <cstring>

namespace quorvan {

PageSetShortcutDlg::PageSetShortcutDlg(AppContext& context, CommandSink& sink, QWidget* parent)
    : QWidget(parent), m_context(context), m_sink(sink),
      m_list(makeReportList(this, kListId,
                            {QStringLiteral("序号"), QStringLiteral("遥控键"), QStringLiteral("节目"),
                             QStringLiteral("音频矩阵"), QStringLiteral("电源")},
                            {50, 100, 100, 120, 120})),
      m_editor(new ControllerShortcutDlg(context, this)) {
    m_list->setRowCount(kRemoteKeyCount);
    connect(m_editor, &ControllerShortcutDlg::commandForwarded, this, &PageSetShortcutDlg::onCommand);
    connect(m_list, &QTableWidget::itemSelectionChanged, this, [this] { onSelection(m_list->currentRow()); });
    connect(m_list, &QTableWidget::cellClicked, this, [this](int row, int) { onSelection(row); });
    discardEnterAndEscape(this);
    InitPage();
    RefreshTexts();
}

QString PageSetShortcutDlg::keyName(int row) const { return m_context.texts.Text(139) + QString::number(row + 1); }

int PageSetShortcutDlg::selectedRow() const {
    const QList<QTableWidgetSelectionRange> ranges = m_list->selectedRanges();
    return ranges.isEmpty() ? -1 : ranges.front().topRow();
}

int PageSetShortcutDlg::ShowTable(ScheduleTable* table, int capacity) {
    if (!table || capacity > kRemoteKeyCount)
        return 0;
    m_table = table;
    table->count = kRemoteKeyCount;
    for (int k = 0; k < capacity; ++k)
        ShowRow(k, &table->entries[k]);
    {
        const QSignalBlocker quiet(m_list);
        m_list->setCurrentCell(0, 0);
        m_list->selectRow(0);
    }
    m_editor->LoadPreset(0, table->entries[0]);
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

void PageSetShortcutDlg::onSelection(int notifiedRow) {
    if (notifiedRow < 0 || !m_table)
        return;
    const int s = selectedRow();
    if (s >= 0 && s < kRemoteKeyCount)
        m_editor->LoadPreset(s, m_table->entries[s]);
}

void PageSetShortcutDlg::onCommand(int id) {
    if (!m_table)
        return;
    if (id == ControllerShortcutDlg::SaveButton)
        save();
    else if (id == ControllerShortcutDlg::DeleteButton)
        remove();
}

void PageSetShortcutDlg::save() {
    const int k = m_editor->selectedKey();
    const TimingEntry preset = m_editor->StorePreset();
    if (k >= 0 && k < m_table->count && k < kMaxEntries)
        m_table->entries[k] = preset;
    ShowRow(k, &preset);
    m_sink.command(CMD_SAVE_DOCUMENT);
}

void PageSetShortcutDlg::remove() {
    const int s = selectedRow();
    if (s >= 0 && s < m_table->count && s < kMaxEntries)
        std::memset(&m_table->entries[s], 0, sizeof(TimingEntry));
    static const TimingEntry zero{};
    ShowRow(s, &zero);
    m_list->setFocus();
    if (s >= 0) {
        // The editor keeps showing the deleted preset until another row is chosen; a Save stores it again.
        const QSignalBlocker quiet(m_list);
        m_list->selectRow(s);
        m_list->scrollToItem(m_list->item(s, 1));
    }
    m_sink.command(CMD_SAVE_DOCUMENT);
}

void PageSetShortcutDlg::InitPage() { dockEditor(this, m_list, m_editor, kBand); }

void PageSetShortcutDlg::RefreshTexts() {
    m_editor->RefreshTexts();
    const int headings[kColumnCount] = {30, 38, 34, 75, 36};
    for (int c = 0; c < kColumnCount; ++c)
        m_list->horizontalHeaderItem(c)->setText(m_context.texts.Text(headings[c]));
    for (int k = 0; k < m_list->rowCount(); ++k)
        setCellText(m_list, k, 1, keyName(k));
}

void PageSetShortcutDlg::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    InitPage();
}

} // namespace quorvan
