#pragma once

#include "settings/NameTables.h"

#include <QWidget>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace quorvan {

struct AppContext;
class CommandSink;

// Control ids and the group caption of one name page.
struct NamePageIds {
    int group;
    int list;
    int edit;
    int label;
    int button;
    int groupText; // text number of the group box caption
};

// A page of the settings dialog that renames the entries of one name table: a list of number and display name,
// an edit box and a button that stores the edit box text as the selected entry's name. The change is applied and
// saved at once.
class NamePageDlg : public QWidget {
    Q_OBJECT
public:
    NamePageDlg(AppContext& context, CommandSink& mainWindow, NameTable table, const NamePageIds& ids,
                QWidget* parent = nullptr);

    // Captions and headings from the current language; every row shows the entry's current display name.
    int RefreshTexts();

    NameTable table() const { return m_table; }
    int rowCount() const { return m_rows; }
    QGroupBox* group() const { return m_group; }
    QTableWidget* list() const { return m_list; }
    QLineEdit* edit() const { return m_edit; }
    QLabel* label() const { return m_label; }
    QPushButton* button() const { return m_button; }

private:
    int selectedRow() const;
    void OnSelectionChanged();
    void OnButton();

    AppContext& m_context;
    CommandSink& m_mainWindow;
    const NameTable m_table;
    const int m_rows;
    const int m_groupText;
    QGroupBox* m_group;
    QTableWidget* m_list;
    QLineEdit* m_edit;
    QLabel* m_label;
    QPushButton* m_button;
};

} // namespace quorvan
