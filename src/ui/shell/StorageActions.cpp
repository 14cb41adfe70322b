#include "ui/shell/StorageActions.h"

#include "core/history/ChangeRecorder.h"
#include "core/schedule/ScheduleModel.h"
#include "core/storage/CardCheck.h"
#include "core/storage/CardTransfer.h"
#include "core/texts/TextTable.h"
#include "ui/common/Prompts.h"
#include "ui/dialogs/TextListDialog.h"
#include "ui/shell/TransferRunner.h"

#include <climits>

namespace quorvan {

namespace {

TransferReport runTransfer(const TextTable& texts, const TransferRunner* runner,
                           const TransferRunner::Transfer& transfer) {
    if (runner)
        return runner->run(transfer);
    return TransferRunner(texts).run(transfer);
}

// The cancelled transfer's message: what arrived and what did not, failures included.
void tellCancelled(Prompts& prompts, const TextTable& texts, const TransferReport& report) {
    QStringList lines{texts.text(TextId::TransferCancelled)};
    const QStringList transferred = report.copied + report.created;
    if (!transferred.isEmpty())
        lines << texts.text(TextId::Transferred).arg(transferred.join(QStringLiteral(", ")));
    QStringList notTransferred = report.notTransferred;
    for (const TransferReport::Failure& failure : report.failed)
        notTransferred << failure.name;
    if (!notTransferred.isEmpty())
        lines << texts.text(TextId::NotTransferred).arg(notTransferred.join(QStringLiteral(", ")));
    if (!report.failed.isEmpty())
        lines << report.failureLines(texts);
    prompts.message(texts.text(TextId::Warning), lines.join(u'\n'), Prompts::Icon::Warning);
}

} // namespace

int importFromStorage(Prompts& prompts, const TextTable& texts, const QString& dataFolder, const QStringList& names,
                      BackupStore* backups, DataStep* step, const TransferRunner* runner) {
    const QString folder = prompts.chooseFolder(texts.text(TextId::ImportTitle));
    if (folder.isEmpty())
        return 0;
    const QString stem = backups ? backups->newGroupStem() : QString();
    DataStep made;
    const TransferReport report = runTransfer(texts, runner, [&](const TransferOptions& options) {
        // The versions the import replaces are kept, and its step made, on the transfer's thread behind its dialog:
        // with four full schedules that is seconds of reading and writing.
        TransferProgress keeping;
        keeping.keepingVersions = true;
        if (options.progress)
            options.progress(keeping);
        const ChangeRecorder recorder(dataFolder, names, backups, stem);
        TransferReport imported = importFiles(folder, dataFolder, names, options);
        made = recorder.finish({StepLabel::Kind::Import, {}, -1, {}});
        return imported;
    });
    if (step)
        *step = std::move(made);
    if (report.cancelled) {
        tellCancelled(prompts, texts, report);
    } else if (!report.failed.isEmpty()) {
        // Some files did not arrive: say which and why, whatever else was copied.
        const QString text = texts.text(TextId::ImportIncomplete) + u'\n' + report.failureLines(texts).join(u'\n');
        prompts.message(texts.text(TextId::Warning), text, Prompts::Icon::Stop);
    } else if (report.anyCopied())
        prompts.message(texts.text(TextId::Message), texts.text(TextId::ImportSuccess), Prompts::Icon::None);
    else
        prompts.message(texts.text(TextId::Warning), texts.text(TextId::ImportFailed), Prompts::Icon::Stop);
    return 1;
}

int exportToStorage(Prompts& prompts, const TextTable& texts, const QString& dataFolder, const QStringList& names,
                    const TransferRunner* runner, QWidget* parent) {
    const QString folder = prompts.chooseFolder(texts.text(TextId::ExportTitle));
    if (folder.isEmpty())
        return 0;
    const std::vector<DocumentInfo> documents = documentList(texts);
    std::vector<MissingSong> missingSongs;
    const TransferReport report = runTransfer(texts, runner, [&](const TransferOptions& options) {
        TransferReport exported = exportFiles(dataFolder, folder, names, options);
        if (!exported.cancelled && exported.failed.isEmpty()) {
            // The files are on the card: its songs are checked on the same thread, behind the same dialog, which
            // says so.
            TransferProgress checking;
            checking.checkingSongs = true;
            if (options.progress)
                options.progress(checking);
            missingSongs = findMissingSongs(folder, folder, documentFiles(documents));
        }
        return exported;
    });
    if (report.cancelled) {
        tellCancelled(prompts, texts, report);
    } else if (report.failed.isEmpty()) {
        const QStringList missing = missingSongLines(missingSongs, documents, texts);
        if (missing.isEmpty()) {
            prompts.message(texts.text(TextId::Message), texts.text(TextId::ExportSuccess), Prompts::Icon::None);
        } else {
            const QString text = texts.text(TextId::ExportSuccess) + QStringLiteral("\n\n") +
                                 texts.text(TextId::MissingSongs) + u'\n' + missing.join(u'\n');
            const QStringList all = missingSongLines(missingSongs, documents, texts, INT_MAX);
            if (all.size() == missing.size()) {
                prompts.message(texts.text(TextId::Message), text, Prompts::Icon::Warning);
            } else {
                // Too many for a message: the whole list in a window of its own, to copy or save.
                enum { ShowAll, Ok };
                if (prompts.question(texts.text(TextId::Message), text,
                                     {texts.text(TextId::ShowWholeList), QStringLiteral("OK")}, Ok) == ShowAll) {
                    TextListDialog list(texts, prompts, texts.text(TextId::MissingSongs), all, parent);
                    list.exec();
                }
            }
        }
    } else {
        const QString text = texts.text(TextId::ExportFailed) + u'\n' + report.failureLines(texts).join(u'\n');
        prompts.message(texts.text(TextId::Warning), text, Prompts::Icon::Stop);
    }
    return 1;
}

} // namespace quorvan
