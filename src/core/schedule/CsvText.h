#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace quorvan {

// One cell as CSV: quoted when it holds a comma, a semicolon, a quote or a line break. A cell a spreadsheet would
// take for a formula (=, +, -, @ first) and one that begins with an apostrophe get an apostrophe before them, so
// that the spreadsheet shows text; csvCellText takes it off again.
QByteArray csvCell(const QString& text);
// The cells joined by commas and ended with CR LF.
void appendCsvRow(QByteArray& csv, const QStringList& cells);
// A cell's text as written: without the apostrophe csvCell put before it.
QString csvCellText(const QString& cell);

// The records of a CSV file: a byte-order mark is skipped, CR LF and LF both end a record, the separator is a
// comma or a semicolon (the one found in the first record, outside quotes), a quoted cell may hold separators,
// doubled quotes and line breaks. Cells are as they stand (csvCellText not applied).
struct CsvRecords {
    QList<QStringList> records;
    QList<int> firstLines; // the line each record starts on, from 1
    char separator = ',';
    int unclosedQuote = -1; // the record (from 0) whose quoted cell runs to the end of the file, or -1
    bool validUtf8 = true;
};
CsvRecords parseCsv(const QByteArray& bytes);

} // namespace quorvan
