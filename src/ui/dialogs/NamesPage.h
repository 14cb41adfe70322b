#pragma once

#include "core/settings/NameTables.h"
#include "core/texts/TextId.h"

#include <QWidget>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace quorvan {

struct AppContext;
class ShellActions;

// What tells the two names pages apart: the role their controls are named by ("<role>Group", "<role>List",
// "<role>Edit", "<role>Label", "<role>Button") and the text of the group box caption.
struct NamesPageKind {
    const char* role;
    int groupText;
};

// A page of the settings dialog that renames the entries of one name table: a list of number and display name,
// an edit box and a button that stores the edit box text as the selected entry's name. The change is applied and
// saved at once.
class NamesPage : public QWidget {
    Q_OBJECT
public:
    // The names of the 37 power channels and of the 40 zones.
    static constexpr NamesPageKind kPowerPage{"powerNames", TextId::SettingPower};
    static constexpr NamesPageKind kZonePage{"zoneNames", TextId::SettingZone};

    NamesPage(AppContext& context, ShellActions& shell, NameTable table, const NamesPageKind& kind,
              QWidget* parent = nullptr);

    // Captions and headings from the current language; every row shows the entry's current display name.
    void retranslate();

    NameTable table() const { return m_table; }
    int rowCount() const { return m_rows; }
    QGroupBox* group() const { return m_group; }
    QTableWidget* list() const { return m_list; }
    QLineEdit* edit() const { return m_edit; }
    QLabel* label() const { return m_label; }
    QPushButton* button() const { return m_button; }

private:
    int selectedRow() const;
    void showSelectedName();
    void storeName();

    AppContext& m_context;
    ShellActions& m_shell;
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
