#pragma once

#include "core/schedule/ComparisonRows.h"

#include <QWidget>

#include <vector>

class QLabel;
class QTableWidget;

namespace quorvan {

class NameTables;
class TextTable;

// Two schedules side by side, read-only, each in the list's own columns: the file as it is on the left, what it
// would become on the right. Lines line up across the two lists; added, removed and changed lines carry a sign
// and a colour, changed cells are bold, and the totals and the selected pair's differences show below.
class ComparisonView : public QWidget {
    Q_OBJECT
public:
    ComparisonView(const TextTable& texts, const NameTables& names, QWidget* parent = nullptr);

    // Shows before against after; each caption names its side, with a note when its file is missing, damaged or
    // unreadable.
    void showComparison(const QString& beforeCaption, const ComparedFile& before, const QString& afterCaption,
                        const ComparedFile& after, DocumentKind kind);
    void clear();

    QTableWidget* beforeList() const { return m_before; }
    QTableWidget* afterList() const { return m_after; }
    QLabel* totals() const { return m_totals; }
    QLabel* details() const { return m_details; }
    const ScheduleComparison& comparison() const { return m_comparison; }

private:
    void fillList(QTableWidget* list, bool beforeSide);
    void showDetails(int line);
    QString sideNote(const QString& caption, const ComparedFile& file) const;

    const TextTable& m_texts;
    const NameTables& m_names;
    QLabel* m_beforeHeading;
    QLabel* m_afterHeading;
    QTableWidget* m_before;
    QTableWidget* m_after;
    QLabel* m_totals;
    QLabel* m_legend;
    QLabel* m_details;
    ScheduleComparison m_comparison;
    std::vector<ComparisonLine> m_lines;
    ScheduleTable m_beforeTable;
    ScheduleTable m_afterTable;
    bool m_presets = false;
};

} // namespace quorvan
