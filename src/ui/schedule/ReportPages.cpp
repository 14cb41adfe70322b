#include "ui/schedule/ReportPages.h"

#include <QElapsedTimer>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTextLayout>

#include <algorithm>
#include <cmath>
#include <numeric>

namespace quorvan {

namespace {

constexpr double kPad = 3;       // between a cell's border and its text
constexpr double kTextSlack = 2; // printers measure glyphs a little wider than the screen
constexpr int kMinPartLines = 3; // a cut row shows at least this many lines at the foot of a page
constexpr QChar kBreakHere = QChar(0x200B);

// Text is measured on a device of 96 dots per inch, the unit pages are laid out in, whatever the screen is.
const QPaintDevice* measuringDevice() {
    static const QImage device = [] {
        QImage image(1, 1, QImage::Format_ARGB32);
        image.setDotsPerMeterX(3780);
        image.setDotsPerMeterY(3780);
        return image;
    }();
    return &device;
}

// The lines a cell's text takes at this width. Lists such as "Hall,LocalZone2,…" break after a comma rather than
// inside a name; a word longer than the width breaks where it must.
QStringList wrapText(const QString& text, const QFont& font, double width) {
    if (text.isEmpty())
        return {};
    QString breakable = text;
    breakable.replace(u',', QString(u',') + kBreakHere);
    QTextLayout layout(breakable, font, const_cast<QPaintDevice*>(measuringDevice()));
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    QStringList lines;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        QString part = breakable.mid(line.textStart(), line.textLength());
        part.remove(kBreakHere);
        while (part.endsWith(u' '))
            part.chop(1);
        lines << part;
    }
    layout.endLayout();
    return lines;
}

} // namespace

ReportPages::ReportPages(const ScheduleReport& report, QSizeF pageSize, QString pageFooter)
    : m_report(report), m_pageSize(pageSize), m_footer(std::move(pageFooter)) {
    // Pixel sizes, not points: a point is more pixels on a printer, and the page is scaled onto it whole.
    m_font = QGuiApplication::font();
    m_font.setPixelSize(12); // 9 points at 96 dpi
    m_font.setHintingPreference(QFont::PreferNoHinting);
    m_bold = m_font;
    m_bold.setBold(true);
    m_titleFont = m_bold;
    m_titleFont.setPixelSize(16);
    const QFontMetricsF metrics(m_font, measuringDevice());
    m_lineHeight = metrics.lineSpacing();
    m_ascent = metrics.ascent();
    m_titleHeight = QFontMetricsF(m_titleFont, measuringDevice()).lineSpacing() + 6;

    const int shareTotal = std::accumulate(std::begin(kReportColumnShares), std::end(kReportColumnShares), 0);
    const int columns = int(m_report.headings.size());
    double x = 0;
    for (int c = 0; c < columns; ++c) {
        m_columnX.push_back(x);
        const int share = c < int(std::size(kReportColumnShares)) ? kReportColumnShares[c] : 0;
        x += m_pageSize.width() * share / shareTotal;
    }
    m_columnX.push_back(m_pageSize.width());
    int headingLines = 1;
    for (int c = 0; c < columns; ++c) {
        m_headingLines.push_back(
            wrapText(m_report.headings[c], m_bold, m_columnX[c + 1] - m_columnX[c] - 2 * kPad - kTextSlack));
        headingLines = std::max(headingLines, int(m_headingLines.back().size()));
    }
    m_headingHeight = rowHeight(headingLines);
    newPage(); // an empty schedule still prints its headings
}

double ReportPages::rowHeight(int lines) const {
    return lines * m_lineHeight + 2 * kPad;
}

double ReportPages::bodyTop() const {
    return m_titleHeight + m_headingHeight;
}

double ReportPages::bodyBottom() const {
    return m_pageSize.height() - m_lineHeight - 4; // the footer's line
}

void ReportPages::newPage() {
    m_pages.emplace_back();
    m_y = bodyTop();
}

bool ReportPages::layoutFor(int ms) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        layoutRow(m_nextRow++);
        if (clock.elapsed() >= ms)
            break;
    }
    return done();
}

void ReportPages::layoutRow(int row) {
    const QStringList& cells = m_report.rows[row];
    std::vector<QStringList> lines;
    int count = 1;
    for (int c = 0; c < int(cells.size()) && c + 1 < int(m_columnX.size()); ++c) {
        lines.push_back(wrapText(cells[c], m_font, m_columnX[c + 1] - m_columnX[c] - 2 * kPad - kTextSlack));
        count = std::max(count, int(lines.back().size()));
    }
    m_lines.push_back(std::move(lines));

    const auto place = [this, row](int first, int take) {
        m_pages.back().slices.push_back({row, first, take});
        m_y += rowHeight(take);
    };
    const double body = bodyBottom() - bodyTop();
    if (rowHeight(count) <= bodyBottom() - m_y) {
        place(0, count);
        return;
    }
    if (rowHeight(count) <= body) { // whole on the next page
        newPage();
        place(0, count);
        return;
    }
    // Longer than a page: cut between lines, from the room left on this page on.
    int first = 0;
    while (first < count) {
        const int room = int(std::floor((bodyBottom() - m_y - 2 * kPad) / m_lineHeight));
        if (room < std::min(kMinPartLines, count - first) && !m_pages.back().slices.empty()) {
            newPage();
            continue;
        }
        const int take = std::min(std::max(room, 1), count - first);
        place(first, take);
        first += take;
        if (first < count)
            newPage();
    }
}

std::vector<int> ReportPages::rowsOnPage(int page) const {
    std::vector<int> rows;
    if (page >= 0 && page < pageCount())
        for (const Slice& slice : m_pages[page].slices)
            rows.push_back(slice.row);
    return rows;
}

void ReportPages::paintPage(QPainter& painter, int page, int pageTotal) const {
    if (page < 0 || page >= pageCount())
        return;
    painter.save();
    const double width = m_pageSize.width();
    painter.setPen(QPen(Qt::black, 0.6));

    painter.setFont(m_titleFont);
    const QFontMetricsF titleMetrics(m_titleFont, measuringDevice());
    painter.drawText(QPointF(0, titleMetrics.ascent()), titleMetrics.elidedText(m_report.title, Qt::ElideRight, width));

    const auto drawRow = [&](double top, double height, const auto& lineAt, const QFont& font) {
        painter.setFont(font);
        for (int c = 0; c + 1 < int(m_columnX.size()); ++c) {
            const QRectF cell(m_columnX[c], top, m_columnX[c + 1] - m_columnX[c], height);
            painter.drawRect(cell);
            for (int k = 0;; ++k) {
                const QString text = lineAt(c, k);
                if (text.isNull())
                    break;
                painter.drawText(QPointF(cell.left() + kPad, top + kPad + k * m_lineHeight + m_ascent), text);
            }
        }
    };

    const double headingTop = m_titleHeight;
    painter.fillRect(QRectF(0, headingTop, width, m_headingHeight), QColor(0xe8, 0xe8, 0xe8));
    drawRow(
        headingTop, m_headingHeight,
        [this](int c, int k) { return k < int(m_headingLines[c].size()) ? m_headingLines[c][k] : QString(); }, m_bold);

    double y = bodyTop();
    for (const Slice& slice : m_pages[page].slices) {
        const std::vector<QStringList>& cells = m_lines[slice.row];
        const double height = rowHeight(slice.lines);
        drawRow(
            y, height,
            [&](int c, int k) -> QString {
                if (k >= slice.lines || c >= int(cells.size()))
                    return {};
                // A part continued from the page before starts again with the entry's number.
                const int line = c == 0 ? k : slice.firstLine + k;
                return line < int(cells[c].size()) ? cells[c][line] : QString();
            },
            m_font);
        y += height;
    }

    painter.setFont(m_font);
    const QString footer = m_footer.arg(page + 1).arg(pageTotal);
    const QFontMetricsF metrics(m_font, measuringDevice());
    painter.drawText(QPointF(width - metrics.horizontalAdvance(footer), m_pageSize.height() - metrics.descent()),
                     footer);
    painter.restore();
}

} // namespace quorvan
