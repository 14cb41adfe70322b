#pragma once

#include "core/storage/TransferPreview.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QTableWidget;

namespace quorvan {

class NameTables;
class TextTable;

// What an import or export would change, file by file, before anything is written: one line per file of the set
// with its verdict and a check box to leave it out. A document's line opens its comparison. The transfer button
// (Import or Export) accepts with the ticked files; Cancel writes nothing.
class TransferPreviewDialog : public QDialog {
    Q_OBJECT
public:
    TransferPreviewDialog(const TextTable& texts, const NameTables& names, TransferPreview preview,
                          TransferDirection direction, const QString& sourceFolder, const QString& targetFolder,
                          const std::vector<DocumentInfo>& documents, QWidget* parent = nullptr);

    // The files ticked, and those left out, in the set's order.
    QStringList chosenNames() const;
    QStringList leftOutNames() const;

    QTableWidget* fileList() const { return m_files; }
    QPushButton* transferButton() const { return m_transfer; }
    QPushButton* differencesButton() const { return m_differences; }
    QPushButton* cancelButton() const { return m_cancel; }

    // Opens the comparison of the file on row (modal); nothing for a file without one.
    void showDifferences(int row);

private:
    void updateButtons();
    int chosenRow() const;

    const TextTable& m_texts;
    const NameTables& m_names;
    const TransferPreview m_preview;
    const TransferDirection m_direction;
    const QString m_sourceFolder;
    const QString m_targetFolder;
    const std::vector<DocumentInfo> m_documents;
    QTableWidget* m_files;
    QPushButton* m_differences;
    QPushButton* m_transfer;
    QPushButton* m_cancel;
};

} // namespace quorvan
