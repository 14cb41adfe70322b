#pragma once

#include <QDialog>

#include <memory>

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace quorvan {

struct AppContext;
class ShellActions;

// Copies one entry, or all entries, between documents, working on the data files. It owns two tables of its
// own while it is open and has the main window reload its page after a copy.
class CopyDialog : public QDialog {
    Q_OBJECT
public:
    CopyDialog(AppContext& context, ShellActions& shell, QWidget* parent = nullptr);
    ~CopyDialog() override;

    void retranslate();
    void copySelected();

    QComboBox* sourceDocuments() const { return m_sourceDocs; }
    QComboBox* sourceEntries() const { return m_sourceEntries; }
    QComboBox* targetDocuments() const { return m_targetDocs; }
    QComboBox* targetEntries() const { return m_targetEntries; }
    QPushButton* copyButton() const { return m_copy; }

private:
    void showSourceEntries();
    void showTargetEntries();
    void applySourceEntryRule();
    void fillSourceEntries(int selectIndex);
    void fillTargetEntries(int selectIndex);
    int position(const QComboBox* documents) const;
    static int choice(const QComboBox* entries);

    AppContext& m_context;
    ShellActions& m_shell;
    int m_sourceCount = 0; // entries of the chosen source document, as its file holds them
    int m_targetCount = 0;
    QGroupBox* m_group;
    QLabel* m_fromLabel;
    QLabel* m_toLabel;
    QComboBox* m_sourceDocs;
    QComboBox* m_sourceEntries;
    QComboBox* m_targetDocs;
    QComboBox* m_targetEntries;
    QPushButton* m_copy;
};

} // namespace quorvan
