#include "ui/schedule/CsvImportDialog.h"

#include "core/schedule/ClashText.h"
#include "core/schedule/Clashes.h"
#include "core/schedule/EntryListLogic.h"
#include "core/schedule/ScheduleDocument.h"
#include "core/texts/TextTable.h"
#include "ui/common/AppContext.h"
#include "ui/common/ListSupport.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>

namespace quorvan {

CsvImportDialog::CsvImportDialog(AppContext& context, const ScheduleDocument& document, const ScheduleTable& entries,
                                 const QString& fileName, QWidget* parent)
    : QDialog(parent) {
    const TextTable& texts = context.texts;
    const bool presets = document.fixedSize();
    setObjectName(QStringLiteral("csvImport"));
    setWindowTitle(texts.text(TextId::ImportEntriesTitle).arg(document.info().caption));
    resize(900, 520);

    m_line = named(new QLabel(this), "csvPreviewLine");
    m_line->setWordWrap(true);
    const QStringList headings = presets
                                     ? QStringList{texts.text(TextId::NumberColumn), texts.text(TextId::ShortcutColumn),
                                                   texts.text(TextId::SoundColumn), texts.text(TextId::ZoneSelect),
                                                   texts.text(TextId::PowerColumn)}
                                     : timingListHeadings(texts);
    m_preview = makeReportList(this, QStringLiteral("csvPreview"), headings, {50, 120, 80, 80, 80, 160, 120});
    m_preview->setAccessibleName(windowTitle());
    m_line->setBuddy(m_preview);

    // Clashes among the entries read, as the list will mark them once they are in.
    const std::vector<Clash> clashes = presets ? std::vector<Clash>{} : findClashes(entries, entries.count());
    static const QIcon warning = style()->standardIcon(QStyle::SP_MessageBoxWarning);
    m_preview->setRowCount(entries.count());
    for (int i = 0; i < entries.count(); ++i) {
        const TimingEntry& entry = entries.entries[std::size_t(i)];
        setRowTexts(m_preview, i,
                    presets ? presetRowCells(i, entry, texts, context.names)
                            : timingRowCells(i, entry, texts, context.names));
        if (presets)
            continue;
        const QStringList lines = clashLines(clashes, i, texts, context.names);
        QTableWidgetItem* number = m_preview->item(i, 0);
        number->setIcon(lines.isEmpty() ? QIcon() : warning);
        number->setToolTip(lines.join(u'\n'));
    }
    QString line = texts.text(TextId::CsvEntriesRead).arg(QString::number(entries.count()), fileName);
    if (!presets)
        line += QStringLiteral("  ") + clashCountText(int(clashes.size()), texts);
    const int together = document.count() + entries.count();
    const bool fits = together <= document.capacity();
    if (!presets && !fits)
        line += u'\n' + texts.text(TextId::AppendTooMany).arg(together).arg(document.capacity());
    m_line->setText(line);

    m_replace = makeButton(this, QStringLiteral("replaceAllButton"), texts.text(TextId::ReplaceAllButton));
    m_append = makeButton(this, QStringLiteral("appendButton"), texts.text(TextId::AppendButton));
    m_cancel = makeButton(this, QStringLiteral("cancelButton"), texts.text(TextId::CancelButton));
    // The remote keys are twelve places: their entries can only be replaced.
    m_append->setVisible(!presets);
    m_append->setEnabled(fits);
    connect(m_replace, &QPushButton::clicked, this, [this] {
        m_choice = ReplaceAll;
        accept();
    });
    connect(m_append, &QPushButton::clicked, this, [this] {
        m_choice = Append;
        accept();
    });
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_replace);
    buttons->addWidget(m_append);
    buttons->addWidget(m_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_line);
    layout->addWidget(m_preview, 1);
    layout->addLayout(buttons);
}

} // namespace quorvan
