#include "ui/shell/StorageActions.h"

#include "core/history/ChangeRecorder.h"
#include "core/storage/CardTransfer.h"
#include "core/texts/TextTable.h"
#include "ui/common/Prompts.h"

namespace quorvan {

namespace {

constexpr int kTextMessage = 153;
constexpr int kTextWarning = 154;
constexpr int kTextExportFailed = 159;
constexpr int kTextImportFailed = 160;
constexpr int kTextImportTitle = 163;
constexpr int kTextExportTitle = 164;
constexpr int kTextImportSuccess = 165;
constexpr int kTextExportSuccess = 166;

} // namespace

int importFromStorage(Prompts& prompts, const TextTable& texts, const QString& dataFolder, const QStringList& names,
                      BackupStore* backups, DataStep* step) {
    const QString folder = prompts.chooseFolder(texts.text(kTextImportTitle));
    if (folder.isEmpty())
        return 0;
    const ChangeRecorder recorder(dataFolder, names, backups, backups ? backups->newGroupStem() : QString());
    const TransferReport report = importFiles(folder, dataFolder, names);
    if (step)
        *step = recorder.finish({StepLabel::Kind::Import, {}, -1, {}});
    if (!report.failed.isEmpty()) {
        // Some files did not arrive: say which and why, whatever else was copied.
        const QString text = texts.text(TextId::ImportIncomplete) + u'\n' + report.failureLines().join(u'\n');
        prompts.message(texts.text(kTextWarning), text, Prompts::Icon::Stop);
    } else if (report.anyCopied())
        prompts.message(texts.text(kTextMessage), texts.text(kTextImportSuccess), Prompts::Icon::None);
    else
        prompts.message(texts.text(kTextWarning), texts.text(kTextImportFailed), Prompts::Icon::Stop);
    return 1;
}

int exportToStorage(Prompts& prompts, const TextTable& texts, const QString& dataFolder, const QStringList& names) {
    const QString folder = prompts.chooseFolder(texts.text(kTextExportTitle));
    if (folder.isEmpty())
        return 0;
    const TransferReport report = exportFiles(dataFolder, folder, names);
    if (report.failed.isEmpty()) {
        prompts.message(texts.text(kTextMessage), texts.text(kTextExportSuccess), Prompts::Icon::None);
    } else {
        const QString text = texts.text(kTextExportFailed) + u'\n' + report.failureLines().join(u'\n');
        prompts.message(texts.text(kTextWarning), text, Prompts::Icon::Stop);
    }
    return 1;
}

} // namespace quorvan
