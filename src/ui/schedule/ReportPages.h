#pragma once

#include "core/schedule/ScheduleReport.h"

#include <QFont>
#include <QSizeF>
#include <QString>

#include <vector>

class QPainter;

namespace quorvan {

// The report cut into pages of one size, measured in 96-dpi pixels whatever the device: the preview, the printer
// and the PDF break it at the same lines. Every page starts with the title and the heading row and ends with its
// number. An entry's row stays whole on a page where it fits; a row longer than a page (255 songs) is cut between
// lines, and each part on a following page starts again with the entry's number.
// The layout is made in steps, so that a window can show the first pages at once and lay out the rest between
// its events.
class ReportPages {
public:
    // pageFooter is "Page %1 of %2" in the current language.
    ReportPages(const ScheduleReport& report, QSizeF pageSize, QString pageFooter);

    // Lays out rows for about `ms` milliseconds (at least one row); true once every row is laid out.
    bool layoutFor(int ms);
    bool done() const { return m_nextRow >= int(m_report.rows.size()); }
    // Rows laid out so far, of rowCount().
    int rowsLaidOut() const { return m_nextRow; }
    int rowCount() const { return int(m_report.rows.size()); }
    // Pages laid out so far; the last one may still grow until done().
    int pageCount() const { return int(m_pages.size()); }
    QSizeF pageSize() const { return m_pageSize; }

    // Paints page `page` (0-based) with its origin at the painter's, in 96-dpi pixels; `pageTotal` is the number
    // the footer gives.
    void paintPage(QPainter& painter, int page, int pageTotal) const;

    // The entry rows the page shows, in order (0-based), each once even when it continues from the page before.
    std::vector<int> rowsOnPage(int page) const;

private:
    // A part of one entry's row on a page: lines [firstLine, firstLine + lines) of each of its cells.
    struct Slice {
        int row;
        int firstLine;
        int lines;
    };
    struct Page {
        std::vector<Slice> slices;
    };

    void layoutRow(int row);
    double rowHeight(int lines) const;
    double bodyTop() const;
    double bodyBottom() const;
    void newPage();

    ScheduleReport m_report;
    QSizeF m_pageSize;
    QString m_footer;
    QFont m_font;
    QFont m_bold;
    QFont m_titleFont;
    double m_lineHeight = 0;
    double m_ascent = 0;
    double m_titleHeight = 0;
    double m_headingHeight = 0;
    std::vector<double> m_columnX; // left edge of each column, then the right edge of the last
    std::vector<QStringList> m_headingLines;
    std::vector<std::vector<QStringList>> m_lines; // per laid-out row, per cell, its wrapped lines
    std::vector<Page> m_pages;
    double m_y = 0; // where the next row goes on the last page
    int m_nextRow = 0;
};

} // namespace quorvan
