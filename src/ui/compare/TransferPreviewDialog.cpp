#include "ui/compare/TransferPreviewDialog.h"

#include "core/texts/TextId.h"
#include "core/texts/TextTable.h"
#include "ui/common/ListSupport.h"
#include "ui/compare/CompareDialog.h"
#include "ui/shell/TransferRunner.h"

#include <QDir>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace quorvan {

TransferPreviewDialog::TransferPreviewDialog(const TextTable& texts, const NameTables& names, TransferPreview preview,
                                             TransferDirection direction, const QString& sourceFolder,
                                             const QString& targetFolder, const std::vector<DocumentInfo>& documents,
                                             QWidget* parent)
    : QDialog(parent), m_texts(texts), m_names(names), m_preview(std::move(preview)), m_direction(direction),
      m_sourceFolder(sourceFolder), m_targetFolder(targetFolder), m_documents(documents) {
    const bool importing = direction == TransferDirection::Import;
    setObjectName(QStringLiteral("transferPreview"));
    const QString card = QDir::toNativeSeparators(QDir::cleanPath(importing ? sourceFolder : targetFolder));
    setWindowTitle(texts.text(importing ? TextId::ImportPreviewTitle : TextId::ExportPreviewTitle).arg(card));
    resize(640, 420);

    auto* note = named(new QLabel(texts.text(importing ? TextId::ImportPreviewNote : TextId::ExportPreviewNote), this),
                       "previewNote");
    note->setWordWrap(true);
    m_files = makeReportList(this, QStringLiteral("previewFiles"),
                             {texts.text(TextId::FileColumn), texts.text(TextId::WhatChanges)}, {220, 300});
    m_files->setAccessibleName(windowTitle());
    m_files->setRowCount(int(m_preview.lines.size()));
    QFont bold = m_files->font();
    bold.setBold(true);
    for (int r = 0; r < int(m_preview.lines.size()); ++r) {
        const PreviewLine& line = m_preview.lines[std::size_t(r)];
        const QString file =
            line.document >= 0 ? QStringLiteral("%1 (%2)").arg(documents[std::size_t(line.document)].caption, line.name)
                               : line.name;
        setRowTexts(m_files, r, {file, line.text(texts, direction)});
        QTableWidgetItem* check = m_files->item(r, 0);
        check->setFlags(check->flags() | Qt::ItemIsUserCheckable);
        // Every file is ticked at first, a damaged one too: the transfer does what it always did unless the
        // operator, told of the damage on its line, leaves it out.
        check->setCheckState(Qt::Checked);
        if (line.changesTarget())
            m_files->item(r, 1)->setFont(bold); // what the transfer changes stands out from what it leaves
    }

    m_differences = makeButton(this, QStringLiteral("differencesButton"), texts.text(TextId::ShowDifferences));
    m_transfer = makeButton(this, QStringLiteral("transferButton"),
                            texts.text(importing ? TextId::ImportButton : TextId::ExportButton));
    m_transfer->setDefault(true);
    m_cancel = makeButton(this, QStringLiteral("cancelButton"), texts.text(TextId::CancelButton));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_differences);
    buttons->addStretch(1);
    buttons->addWidget(m_transfer);
    buttons->addWidget(m_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(note);
    layout->addWidget(m_files, 1);
    layout->addLayout(buttons);

    connect(m_files, &QTableWidget::itemSelectionChanged, this, &TransferPreviewDialog::updateButtons);
    connect(m_files, &QTableWidget::itemChanged, this, &TransferPreviewDialog::updateButtons);
    connect(m_files, &QTableWidget::itemActivated, this,
            [this](QTableWidgetItem* item) { showDifferences(item->row()); });
    connect(m_differences, &QPushButton::clicked, this, [this] { showDifferences(chosenRow()); });
    connect(m_transfer, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    m_files->selectRow(0);
    updateButtons();
}

int TransferPreviewDialog::chosenRow() const {
    const QModelIndexList rows = m_files->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

QStringList TransferPreviewDialog::chosenNames() const {
    QStringList names;
    for (int r = 0; r < m_files->rowCount(); ++r)
        if (m_files->item(r, 0)->checkState() == Qt::Checked)
            names << m_preview.lines[std::size_t(r)].name;
    return names;
}

QStringList TransferPreviewDialog::leftOutNames() const {
    QStringList names;
    for (int r = 0; r < m_files->rowCount(); ++r)
        if (m_files->item(r, 0)->checkState() != Qt::Checked)
            names << m_preview.lines[std::size_t(r)].name;
    return names;
}

void TransferPreviewDialog::updateButtons() {
    const int row = chosenRow();
    m_differences->setEnabled(row >= 0 && m_preview.lines[std::size_t(row)].comparable());
    m_transfer->setEnabled(!chosenNames().isEmpty());
}

void TransferPreviewDialog::showDifferences(int row) {
    if (row < 0 || row >= int(m_preview.lines.size()) || !m_preview.lines[std::size_t(row)].comparable())
        return;
    const PreviewLine& line = m_preview.lines[std::size_t(row)];
    const auto in = [&](const QString& folder) {
        return m_texts.text(TextId::FileInFolder).arg(line.name, QDir::toNativeSeparators(QDir::cleanPath(folder)));
    };
    const DocumentKind kind = m_documents[std::size_t(line.document)].kind;
    ComparedFile target, source;
    TransferRunner(m_texts, this).runToEnd(m_texts.text(TextId::ReadingFiles), [&] {
        target = readComparedFile(line.targetPath, kind);
        source = readComparedFile(line.sourcePath, kind);
    });
    CompareDialog dialog(m_texts, m_names, in(m_targetFolder), target, in(m_sourceFolder), source, kind, this);
    dialog.exec();
}

} // namespace quorvan
