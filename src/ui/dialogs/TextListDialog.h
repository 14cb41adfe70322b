#pragma once

#include <QDialog>
#include <QStringList>

class QPlainTextEdit;
class QPushButton;

namespace quorvan {

class Prompts;
class TextTable;

// A list of lines to read in full, copy and save as a text file: the songs a card lacks, however many.
class TextListDialog : public QDialog {
    Q_OBJECT
public:
    TextListDialog(const TextTable& texts, Prompts& prompts, const QString& heading, const QStringList& lines,
                   QWidget* parent = nullptr);

    QPlainTextEdit* text() const { return m_text; }
    // The whole list to the clipboard.
    void copyAll();
    // The whole list to a UTF-8 text file the operator chooses; false when cancelled or not written (said).
    bool saveAs();

private:
    const TextTable& m_texts;
    Prompts& m_prompts;
    QString m_all;
    QPlainTextEdit* m_text;
};

} // namespace quorvan
