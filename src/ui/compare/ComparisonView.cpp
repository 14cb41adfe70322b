#include "ui/compare/ComparisonView.h"

#include "core/texts/TextId.h"
#include "core/texts/TextTable.h"
#include "ui/common/ListSupport.h"

#include <QGridLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTableWidget>

#include <algorithm>

namespace quorvan {

namespace {

// Pale enough that the text stays readable; the sign and the bold cells carry the same news in black and white.
const QColor kRemovedColour(0xF6, 0xD5, 0xD5);
const QColor kAddedColour(0xD6, 0xF0, 0xD6);
const QColor kChangedColour(0xFF, 0xF4, 0xCC);
const QColor kChangedCellColour(0xFF, 0xE0, 0x8A);
const QColor kAbsentColour(0xEE, 0xEE, 0xEE);

QTableWidget* makeSideList(QWidget* parent, const char* name) {
    QTableWidget* list = makeReportList(parent, QLatin1String(name), {}, {});
    list->setColumnCount(0);
    return list;
}

int selectedRow(const QTableWidget* list) {
    const QModelIndexList rows = list->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

} // namespace

ComparisonView::ComparisonView(const TextTable& texts, const NameTables& names, QWidget* parent)
    : QWidget(parent), m_texts(texts), m_names(names) {
    m_beforeHeading = named(new QLabel(this), "beforeHeading");
    m_afterHeading = named(new QLabel(this), "afterHeading");
    for (QLabel* heading : {m_beforeHeading, m_afterHeading})
        heading->setWordWrap(true);
    m_before = makeSideList(this, "beforeList");
    m_after = makeSideList(this, "afterList");
    m_beforeHeading->setBuddy(m_before);
    m_afterHeading->setBuddy(m_after);
    m_totals = named(new QLabel(this), "comparisonTotals");
    QFont bold = m_totals->font();
    bold.setBold(true);
    m_totals->setFont(bold);
    m_legend = named(new QLabel(texts.text(TextId::CompareLegend), this), "comparisonLegend");
    m_details = named(new QLabel(this), "comparisonDetails");
    m_details->setWordWrap(true);
    m_details->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_beforeHeading, 0, 0);
    layout->addWidget(m_afterHeading, 0, 1);
    layout->addWidget(m_before, 1, 0);
    layout->addWidget(m_after, 1, 1);
    layout->addWidget(m_totals, 2, 0, 1, 2);
    layout->addWidget(m_legend, 3, 0, 1, 2);
    layout->addWidget(m_details, 4, 0, 1, 2);
    layout->setRowStretch(1, 1);

    // The two lists move and select as one.
    for (auto [from, to] : {std::pair{m_before, m_after}, std::pair{m_after, m_before}}) {
        connect(from->verticalScrollBar(), &QScrollBar::valueChanged, to->verticalScrollBar(), &QScrollBar::setValue);
        connect(from, &QTableWidget::itemSelectionChanged, this, [this, from = from, to = to] {
            const int row = selectedRow(from);
            if (row >= 0 && row != selectedRow(to)) {
                const QSignalBlocker blocker(to);
                to->selectRow(row);
            }
            showDetails(row);
        });
    }
}

QString ComparisonView::sideNote(const QString& caption, const ComparedFile& file) const {
    switch (file.state) {
    case ComparedFile::State::Read:
        return caption;
    case ComparedFile::State::Missing:
        return m_texts.text(TextId::SideMissing).arg(caption);
    case ComparedFile::State::Damaged:
        return m_texts.text(TextId::SideDamaged).arg(caption, file.damage);
    case ComparedFile::State::Unreadable:
        return m_texts.text(TextId::SideUnreadable).arg(caption, file.why.in(m_texts));
    }
    return caption;
}

void ComparisonView::showComparison(const QString& beforeCaption, const ComparedFile& before,
                                    const QString& afterCaption, const ComparedFile& after, DocumentKind kind) {
    m_presets = kind == DocumentKind::RemotePresets;
    m_beforeTable = before.table;
    m_afterTable = after.table;
    m_comparison = compareSchedules(m_beforeTable.entries, m_afterTable.entries, alignmentFor(kind));
    m_lines = comparisonLines(m_comparison, m_beforeTable, m_afterTable, m_presets, m_texts, m_names);
    m_beforeHeading->setText(sideNote(beforeCaption, before));
    m_afterHeading->setText(sideNote(afterCaption, after));
    m_before->setAccessibleName(beforeCaption);
    m_after->setAccessibleName(afterCaption);
    m_totals->setText(comparisonTotals(m_comparison, m_texts));
    fillList(m_before, true);
    fillList(m_after, false);
    showDetails(-1);
}

void ComparisonView::clear() {
    m_comparison = {};
    m_lines.clear();
    m_before->setRowCount(0);
    m_after->setRowCount(0);
    m_beforeHeading->clear();
    m_afterHeading->clear();
    m_totals->clear();
    showDetails(-1);
}

void ComparisonView::fillList(QTableWidget* list, bool beforeSide) {
    const QStringList headings = comparisonHeadings(m_texts, m_presets);
    list->setRowCount(0);
    list->setColumnCount(int(headings.size()));
    setHeadings(list, headings);
    list->setRowCount(int(m_lines.size()));
    QFont bold = list->font();
    bold.setBold(true);
    for (int r = 0; r < int(m_lines.size()); ++r) {
        const ComparisonLine& line = m_lines[std::size_t(r)];
        const QStringList& cells = beforeSide ? line.before : line.after;
        const bool absent = cells.isEmpty();
        QColor colour;
        switch (line.row.kind) {
        case AlignedRow::Kind::Same:
            break;
        case AlignedRow::Kind::Changed:
            colour = kChangedColour;
            break;
        case AlignedRow::Kind::Removed:
            colour = absent ? kAbsentColour : kRemovedColour;
            break;
        case AlignedRow::Kind::Added:
            colour = absent ? kAbsentColour : kAddedColour;
            break;
        }
        setRowTexts(list, r, QStringList{absent ? QString() : line.sign} + cells);
        for (int c = 0; c < list->columnCount(); ++c) {
            QTableWidgetItem* item = list->item(r, c);
            if (!item) {
                item = new QTableWidgetItem;
                list->setItem(r, c, item);
            }
            const bool changedCell = line.changedColumns[std::size_t(c)] && !absent;
            if (colour.isValid())
                item->setBackground(changedCell ? kChangedCellColour : colour);
            if (changedCell)
                item->setFont(bold);
        }
    }
    // Each column as wide as its widest cell, up to a limit: both sides of a wide schedule still fit a screen, and
    // a cut cell shows its whole text as a tooltip.
    constexpr int kWidestColumn = 190;
    list->resizeColumnsToContents();
    for (int c = 0; c < list->columnCount(); ++c)
        list->setColumnWidth(c, std::min(list->columnWidth(c), kWidestColumn));
}

void ComparisonView::showDetails(int line) {
    if (line < 0 || line >= int(m_lines.size())) {
        m_details->clear();
        return;
    }
    m_details->setText(changedDetails(m_lines[std::size_t(line)].row, m_beforeTable, m_afterTable, m_presets, m_texts));
}

} // namespace quorvan
