#pragma once

#include <QString>
#include <QStringList>

namespace quorvan {

class TextTable;

// Why something failed, as the text that says it (a TextId) and that text's arguments: file names, numbers, the
// system's own message. Each window puts it into its current language; the command-line tool and the logs say
// it in English.
struct Problem {
    int text = 0;
    QStringList args;

    bool isEmpty() const { return text == 0; }
    QString in(const TextTable& texts) const;
    QString inEnglish() const;
};

} // namespace quorvan
