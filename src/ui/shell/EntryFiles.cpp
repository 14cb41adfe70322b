#include "ui/shell/EntryFiles.h"

#include "core/files/AtomicFile.h"
#include "core/files/RegularFile.h"
#include "core/files/ScheduleFile.h"
#include "core/schedule/ScheduleCsv.h"
#include "core/schedule/ScheduleDocument.h"
#include "core/schedule/ScheduleModel.h"
#include "core/texts/TextTable.h"
#include "ui/common/AppContext.h"
#include "ui/common/Messages.h"
#include "ui/common/Prompts.h"
#include "ui/dialogs/TextListDialog.h"
#include "ui/schedule/CsvImportDialog.h"

#include <QDir>
#include <QFileInfo>

namespace quorvan {

namespace {

// A spreadsheet's CSV holds a name in up to three bytes a unit, quoted: far more than the schedule file.
constexpr qint64 kMaxCsvBytes = qint64(256) << 20;

} // namespace

bool exportEntriesToCsv(AppContext& context, const DocumentInfo& document) {
    const TextTable& texts = context.texts;
    const QString path =
        context.prompts.chooseSaveFile(dialogTitle(texts, TextId::ExportEntries), texts.text(TextId::CsvFiles),
                                       QDir::home().filePath(document.caption + QStringLiteral(".csv")));
    if (path.isEmpty())
        return false;
    ScheduleTable table;
    loadTable(context.model.programFolder(), document.fileName, table);
    const SaveResult written = writeFileAtomically(path, scheduleToCsv(table));
    if (!written) {
        context.prompts.message(texts.text(TextId::Warning),
                                texts.text(TextId::EntriesNotExported) + u'\n' + written.reason(texts),
                                Prompts::Icon::Stop);
        return false;
    }
    context.prompts.message(
        texts.text(TextId::Message),
        texts.text(TextId::EntriesExported).arg(QString::number(table.count()), QDir::toNativeSeparators(path)),
        Prompts::Icon::None);
    return true;
}

std::optional<CsvEntries> chooseCsvEntries(AppContext& context, const ScheduleDocument& document, QWidget* parent) {
    const TextTable& texts = context.texts;
    const QString path =
        context.prompts.chooseOpenFile(dialogTitle(texts, TextId::ImportEntries), texts.text(TextId::CsvFiles));
    if (path.isEmpty())
        return std::nullopt;
    const FileRead read = readRegularFile(path, kMaxCsvBytes);
    if (!read.ok()) {
        context.prompts.message(texts.text(TextId::Warning), read.status.reason(texts), Prompts::Icon::Stop);
        return std::nullopt;
    }
    const CsvImport imported = scheduleFromCsv(read.bytes, document.capacity());
    const QString fileName = QFileInfo(path).fileName();
    if (!imported.ok()) {
        // Every problem at once, to mend them all in the spreadsheet before the next try.
        QStringList lines;
        for (const CsvProblem& problem : imported.problems)
            lines << csvProblemText(problem, texts);
        TextListDialog list(texts, context.prompts,
                            texts.text(TextId::CsvProblemsTitle).arg(fileName).arg(imported.problems.size()), lines,
                            parent);
        list.exec();
        return std::nullopt;
    }
    CsvImportDialog dialog(context, document, imported.table, fileName, parent);
    if (dialog.exec() != QDialog::Accepted || dialog.choice() == CsvImportDialog::Cancelled)
        return std::nullopt;
    return CsvEntries{imported.table, dialog.choice() == CsvImportDialog::ReplaceAll};
}

} // namespace quorvan
