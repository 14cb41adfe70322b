#include "ui/dialogs/NamesPage.h"

#include "core/texts/TextTable.h"
#include "ui/common/AppContext.h"
#include "ui/common/DialogUnits.h"
#include "ui/common/ListSupport.h"
#include "ui/common/ShellActions.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace quorvan {

namespace {
constexpr int kNumberWidth = 50;
constexpr int kNameWidth = 150;
} // namespace

NamesPage::NamesPage(AppContext& context, ShellActions& shell, NameTable table, const NamesPageKind& kind,
                     QWidget* parent)
    : QWidget(parent), m_context(context), m_shell(shell), m_table(table), m_rows(NameTables::usedCount(table)),
      m_groupText(kind.groupText), m_group(new QGroupBox(this)), m_list(nullptr), m_edit(new QLineEdit(this)),
      m_label(new QLabel(this)), m_button(new QPushButton(this)) {
    resize(dluX(296), dluY(152));
    const QString role = QLatin1String(kind.role);
    m_group->setObjectName(role + QStringLiteral("Group"));
    m_edit->setObjectName(role + QStringLiteral("Edit"));
    m_label->setObjectName(role + QStringLiteral("Label"));
    m_button->setObjectName(role + QStringLiteral("Button"));
    // Enter in the edit box must not press the button; the button is pressed only by a click.
    m_button->setAutoDefault(false);

    // The headings are replaced by the language's texts in retranslate.
    m_list = makeReportList(m_group, role + QStringLiteral("List"), {QStringLiteral("编号"), QStringLiteral("名称")},
                            {kNumberWidth, kNameWidth});
    m_list->setRowCount(m_rows);
    for (int i = 0; i < m_rows; ++i)
        setRowTexts(m_list, i, {QString::number(i + 1), m_context.names.display(m_table, i)});

    auto* entry = new QHBoxLayout;
    entry->addWidget(m_label);
    entry->addWidget(m_edit, 1);
    entry->addWidget(m_button);
    auto* groupLayout = new QVBoxLayout(m_group);
    groupLayout->addWidget(m_list, 1);
    groupLayout->addLayout(entry);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_group);

    connect(m_list, &QTableWidget::itemSelectionChanged, this, [this] { showSelectedName(); });
    connect(m_button, &QPushButton::clicked, this, [this] { storeName(); });

    retranslate();
}

void NamesPage::retranslate() {
    const TextTable& texts = m_context.texts;
    m_group->setTitle(texts.text(m_groupText));
    m_button->setText(texts.text(TextId::Enter));
    m_label->setText(texts.text(TextId::NameSetting));
    setHeadings(m_list, {texts.text(TextId::NumberColumn), texts.text(TextId::NameColumn)});
    for (int i = 0; i < m_rows; ++i)
        setCellText(m_list, i, 1, m_context.names.display(m_table, i));
    m_list->setAccessibleName(texts.text(m_groupText));
}

int NamesPage::selectedRow() const {
    const QModelIndexList rows = m_list->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void NamesPage::showSelectedName() {
    const int row = selectedRow();
    if (row >= 0 && row < m_rows)
        m_edit->setText(m_context.names.display(m_table, row));
}

// Stores the edit box text (empty allowed) as the selected entry's name, lets the main window recompute the
// display names and reload its page, then writes both settings files.
void NamesPage::storeName() {
    const int row = selectedRow();
    if (row < 0 || row >= m_rows)
        return;
    const QString text = m_edit->text();
    setCellText(m_list, row, 1, text);
    m_context.names.setStored(m_table, row, text);
    // The page shows the new name after a reload, unless the operator keeps unsaved edits in the editor.
    if (m_shell.leaveEdits())
        m_shell.reloadDocument();
    m_shell.saveSettings();
}

} // namespace quorvan
