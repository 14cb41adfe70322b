#pragma once

#include "core/files/ScheduleTypes.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QTableWidget;

namespace quorvan {

struct AppContext;
class ScheduleDocument;

// The entries a CSV file holds, before they go into a document: the list's columns, clashes marked as the list
// marks them; Replace all puts them in place of the document's entries, Append after them (a schedule only, and
// only when they fit), Cancel leaves the document as it is.
class CsvImportDialog : public QDialog {
    Q_OBJECT
public:
    enum Choice { Cancelled, ReplaceAll, Append };

    CsvImportDialog(AppContext& context, const ScheduleDocument& document, const ScheduleTable& entries,
                    const QString& fileName, QWidget* parent = nullptr);

    Choice choice() const { return m_choice; }
    QTableWidget* preview() const { return m_preview; }
    QLabel* previewLine() const { return m_line; }
    QPushButton* replaceButton() const { return m_replace; }
    QPushButton* appendButton() const { return m_append; }
    QPushButton* cancelButton() const { return m_cancel; }

private:
    Choice m_choice = Cancelled;
    QLabel* m_line;
    QTableWidget* m_preview;
    QPushButton* m_replace;
    QPushButton* m_append;
    QPushButton* m_cancel;
};

} // namespace quorvan
