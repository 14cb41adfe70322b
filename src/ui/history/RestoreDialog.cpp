#include "ui/history/RestoreDialog.h"

#include "core/files/ScheduleFile.h"
#include "core/schedule/EntryFormat.h"
#include "core/schedule/EntryListLogic.h"
#include "core/schedule/ScheduleModel.h"
#include "core/texts/TextTable.h"
#include "ui/common/AppContext.h"
#include "ui/common/ListSupport.h"
#include "ui/common/ShellActions.h"
#include "ui/compare/ComparisonView.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace quorvan {

namespace {

QString startsText(const ScheduleSummary& summary) {
    QStringList starts;
    for (const QTime& t : summary.starts)
        starts << (t.isValid() ? t.toString(QStringLiteral("HH:mm:ss")) : QStringLiteral("--:--:--"));
    if (summary.count > int(summary.starts.size()))
        starts << QStringLiteral("…");
    return starts.join(QStringLiteral(", "));
}

} // namespace

RestoreDialog::RestoreDialog(AppContext& context, ShellActions& shell, int documentIndex, QWidget* parent)
    : QDialog(parent), m_context(context), m_shell(shell), m_document(documentIndex) {
    const TextTable& texts = context.texts;
    const DocumentInfo& document = context.model.documents()[std::size_t(documentIndex)];
    setWindowTitle(texts.text(TextId::RestoreTitle).arg(document.caption));
    resize(1100, 640);

    // Newest first; a run of versions with the same bytes and mark (imports of one card keep them every time)
    // is shown once, by its newest.
    std::vector<QByteArray> bytes;
    const std::vector<BackupVersion> all = context.backups.versions(document.fileName);
    for (auto it = all.rbegin(); it != all.rend(); ++it) {
        QByteArray kept = BackupStore::read(*it);
        if (!m_kept.empty() && m_kept.back().mark == it->mark && bytes.back() == kept)
            continue;
        m_kept.push_back(*it);
        bytes.push_back(std::move(kept));
    }
    m_now = readComparedFile(dataFilePath(context.model.programFolder(), document.fileName), document.kind);
    const QByteArray& now = m_now.bytes;

    m_versions =
        makeReportList(this, QStringLiteral("versionList"),
                       {texts.text(TextId::KeptAt), texts.text(TextId::EntriesColumn), texts.text(TextId::FirstStarts),
                        texts.text(TextId::SizeColumn), texts.text(TextId::NoteColumn)},
                       {150, 70, 200, 90, 100});
    m_versions->setObjectName(QStringLiteral("versionList"));
    m_versions->setAccessibleName(texts.text(TextId::RestoreTitle).arg(document.caption));
    m_versions->setRowCount(int(m_kept.size()));
    const QLocale locale(texts.language() == 1 ? QLocale::English : QLocale::Chinese);
    for (std::size_t i = 0; i < m_kept.size(); ++i) {
        const BackupVersion& v = m_kept[i];
        const ScheduleSummary summary = summarizeSchedule(bytes[i]);
        QStringList notes;
        if (v.mark == BackupVersion::Mark::Damaged)
            notes << texts.text(TextId::MarkDamaged);
        else if (v.mark == BackupVersion::Mark::Import)
            notes << texts.text(TextId::MarkImport);
        if (bytes[i] == now)
            notes << texts.text(TextId::SameAsNow); // restoring it would change nothing
        const QString note = notes.join(QStringLiteral(", "));
        setRowTexts(m_versions, int(i),
                    {v.time.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
                     summary.readable ? QString::number(summary.count) : QStringLiteral("-"), startsText(summary),
                     locale.formattedDataSize(v.size), note});
    }

    m_previewHeading = new QLabel(texts.text(TextId::DifferenceHeading), this);
    m_comparison = new ComparisonView(texts, context.names, this);

    m_wholeImport = new QCheckBox(texts.text(TextId::WholeImport), this);
    m_wholeImport->setObjectName(QStringLiteral("wholeImport"));
    m_wholeImport->setVisible(false);
    m_empty = new QLabel(texts.text(TextId::NoVersions), this);
    m_empty->setObjectName(QStringLiteral("noVersions"));
    m_empty->setVisible(m_kept.empty());
    m_restore = makeButton(this, QStringLiteral("restoreButton"), texts.text(TextId::RestoreButton));
    m_restore->setObjectName(QStringLiteral("restoreButton"));
    m_close = makeButton(this, QStringLiteral("closeButton"), texts.text(TextId::Close));
    m_close->setObjectName(QStringLiteral("closeButton"));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_wholeImport);
    buttons->addStretch(1);
    buttons->addWidget(m_restore);
    buttons->addWidget(m_close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_empty);
    layout->addWidget(m_versions, 2);
    layout->addWidget(m_previewHeading);
    layout->addWidget(m_comparison, 3);
    layout->addLayout(buttons);

    connect(m_versions, &QTableWidget::itemSelectionChanged, this, &RestoreDialog::showVersion);
    connect(m_restore, &QPushButton::clicked, this, &RestoreDialog::restoreChosen);
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
    if (!m_kept.empty())
        m_versions->selectRow(0);
    showVersion();
}

RestoreDialog::~RestoreDialog() = default;

int RestoreDialog::chosenRow() const {
    const QModelIndexList rows = m_versions->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void RestoreDialog::showVersion() {
    const int row = chosenRow();
    m_restore->setEnabled(row >= 0);
    if (row < 0) {
        m_comparison->clear();
        m_wholeImport->setVisible(false);
        return;
    }
    const BackupVersion& version = m_kept[std::size_t(row)];
    m_wholeImport->setVisible(version.mark == BackupVersion::Mark::Import);
    m_wholeImport->setChecked(false);
    const TextTable& texts = m_context.texts;
    const DocumentInfo& document = m_context.model.documents()[std::size_t(m_document)];
    FileRead kept;
    kept.bytes = BackupStore::read(version, &kept.status);
    m_comparison->showComparison(
        document.caption, m_now,
        texts.text(TextId::KeptVersionCaption)
            .arg(document.caption, version.time.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))),
        comparedFile(std::move(kept), document.kind), document.kind);
}

void RestoreDialog::restoreChosen() {
    const int row = chosenRow();
    if (row < 0)
        return;
    const BackupVersion& version = m_kept[std::size_t(row)];
    std::vector<BackupVersion> versions{version};
    if (version.mark == BackupVersion::Mark::Import && m_wholeImport->isChecked())
        versions = m_context.backups.group(version.stem);
    const StepLabel label{StepLabel::Kind::Restore, version.file, -1,
                          version.time.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))};
    if (m_shell.restoreVersions(versions, label))
        accept();
}

} // namespace quorvan
