#include "core/schedule/CsvText.h"

#include <QStringDecoder>

namespace quorvan {

namespace {

bool looksLikeFormula(const QString& text) {
    if (text.isEmpty())
        return false;
    const QChar c = text.front();
    return c == u'=' || c == u'+' || c == u'-' || c == u'@' || c == u'\'';
}

} // namespace

QByteArray csvCell(const QString& text) {
    const QByteArray utf8 = (looksLikeFormula(text) ? u'\'' + text : text).toUtf8();
    if (!utf8.contains(',') && !utf8.contains(';') && !utf8.contains('"') && !utf8.contains('\n') &&
        !utf8.contains('\r'))
        return utf8;
    QByteArray quoted = utf8;
    quoted.replace('"', "\"\"");
    return '"' + quoted + '"';
}

void appendCsvRow(QByteArray& csv, const QStringList& cells) {
    for (int i = 0; i < cells.size(); ++i) {
        if (i > 0)
            csv += ',';
        csv += csvCell(cells[i]);
    }
    csv += "\r\n";
}

QString csvCellText(const QString& cell) {
    return cell.startsWith(u'\'') ? cell.mid(1) : cell;
}

CsvRecords parseCsv(const QByteArray& bytes) {
    CsvRecords out;
    QStringDecoder decode(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decode(bytes);
    out.validUtf8 = !decode.hasError();
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);

    // The separator: the first comma or semicolon of the first record outside quotes.
    bool quoted = false;
    for (const QChar c : text) {
        if (c == u'"')
            quoted = !quoted;
        else if (!quoted && (c == u',' || c == u';')) {
            out.separator = char(c.unicode());
            break;
        } else if (!quoted && (c == u'\n' || c == u'\r'))
            break;
    }

    QStringList record;
    QString cell;
    bool inQuotes = false, recordStarted = false;
    int line = 1, recordLine = 1;
    const auto endCell = [&] {
        record << cell;
        cell.clear();
    };
    const auto endRecord = [&] {
        endCell();
        out.records << record;
        out.firstLines << recordLine;
        record.clear();
        recordStarted = false;
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (!recordStarted) {
            recordStarted = true;
            recordLine = line;
        }
        if (inQuotes) {
            if (c == u'"') {
                if (i + 1 < text.size() && text[i + 1] == u'"') {
                    cell += u'"';
                    ++i;
                } else {
                    inQuotes = false;
                }
            } else {
                if (c == u'\n')
                    ++line;
                cell += c;
            }
        } else if (c == u'"') {
            inQuotes = true;
        } else if (c == QChar(QLatin1Char(out.separator))) {
            endCell();
        } else if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            ++line;
            endRecord();
        } else {
            cell += c;
        }
    }
    if (inQuotes)
        out.unclosedQuote = int(out.records.size());
    if (recordStarted)
        endRecord();
    return out;
}

} // namespace quorvan
