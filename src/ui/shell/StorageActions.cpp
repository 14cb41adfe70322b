#include "ui/shell/StorageActions.h"

#include "core/history/ChangeRecorder.h"
#include "core/schedule/ScheduleModel.h"
#include "core/settings/NameTables.h"
#include "core/storage/CardCheck.h"
#include "core/storage/CardTransfer.h"
#include "core/storage/TransferPreview.h"
#include "core/texts/TextTable.h"
#include "ui/common/Prompts.h"
#include "ui/compare/TransferPreviewDialog.h"
#include "ui/dialogs/TextListDialog.h"
#include "ui/shell/TransferRunner.h"

#include <QDialog>

#include <climits>
#include <optional>

namespace quorvan {

namespace {

TransferReport runTransfer(const TextTable& texts, const TransferRunner* runner,
                           const TransferRunner::Transfer& transfer) {
    if (runner)
        return runner->run(transfer);
    return TransferRunner(texts).run(transfer);
}

// The files the operator chose to transfer, the rest left out; nothing when the operator cancelled. The preview
// is read on a worker thread (a slow card holds up to 200 MB of schedules) and is shown when ask says so.
struct Chosen {
    QStringList names;
    QStringList leftOut;
};
std::optional<Chosen> choose(const TextTable& texts, const TransferRunner* runner, QWidget* parent,
                             const NameTables* names, TransferDirection direction, const QString& source,
                             const QString& target, const QStringList& set,
                             const std::function<bool(const TransferPreview&)>& ask) {
    const std::vector<DocumentInfo> documents = documentList(texts);
    TransferPreview preview;
    const auto read = [&] { preview = previewTransfer(source, target, set, documents); };
    if (runner)
        runner->runToEnd(texts.text(TextId::ReadingFiles), read);
    else
        TransferRunner(texts).runToEnd(texts.text(TextId::ReadingFiles), read);
    if (!ask(preview))
        return Chosen{set, {}};
    const NameTables defaults;
    TransferPreviewDialog dialog(texts, names ? *names : defaults, std::move(preview), direction, source, target,
                                 documents, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return Chosen{dialog.chosenNames(), dialog.leftOutNames()};
}

// A message with the files the operator left out, when there are any.
QString withLeftOut(const TextTable& texts, QString text, const QStringList& leftOut) {
    if (!leftOut.isEmpty())
        text += u'\n' + texts.text(TextId::NotTransferred).arg(leftOut.join(QStringLiteral(", ")));
    return text;
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

int importFromStorage(Prompts& prompts, const TextTable& texts, const QString& dataFolder, const QStringList& set,
                      BackupStore* backups, DataStep* step, const TransferRunner* runner, QWidget* parent,
                      const NameTables* nameTables) {
    const QString folder = prompts.chooseFolder(texts.text(TextId::ImportTitle));
    if (folder.isEmpty())
        return 0;
    // What the import would change is shown first, always: nothing is written before the operator agrees.
    const std::optional<Chosen> chosen = choose(texts, runner, parent, nameTables, TransferDirection::Import, folder,
                                                dataFolder, set, [](const TransferPreview&) { return true; });
    if (!chosen)
        return 0;
    const QStringList& names = chosen->names;
    const QString stem = backups ? backups->newGroupStem() : QString();
    DataStep made;
    const TransferReport report = runTransfer(texts, runner, [&](const TransferOptions& options) {
        // The versions the import replaces are kept, and its step made, on the transfer's thread behind its dialog:
        // with four full schedules that is seconds of reading and writing.
        TransferProgress keeping;
        keeping.keepingVersions = true;
        if (options.progress)
            options.progress(keeping);
        ChangeRecorder recorder(dataFolder, names, backups, stem);
        TransferReport imported = importFiles(folder, dataFolder, names, options);
        made = recorder.finish({StepLabel::Kind::Import, {}, -1, {}});
        return imported;
    });
    if (step)
        *step = std::move(made);
    if (report.cancelled) {
        TransferReport told = report;
        told.notTransferred += chosen->leftOut;
        tellCancelled(prompts, texts, told);
    } else if (!report.failed.isEmpty()) {
        // Some files did not arrive: say which and why, whatever else was copied.
        const QString text = texts.text(TextId::ImportIncomplete) + u'\n' + report.failureLines(texts).join(u'\n');
        prompts.message(texts.text(TextId::Warning), withLeftOut(texts, text, chosen->leftOut), Prompts::Icon::Stop);
    } else if (report.anyCopied())
        prompts.message(texts.text(TextId::Message),
                        withLeftOut(texts, texts.text(TextId::ImportSuccess), chosen->leftOut), Prompts::Icon::None);
    else
        prompts.message(texts.text(TextId::Warning),
                        withLeftOut(texts, texts.text(TextId::ImportFailed), chosen->leftOut), Prompts::Icon::Stop);
    return 1;
}

int exportToStorage(Prompts& prompts, const TextTable& texts, const QString& dataFolder, const QStringList& set,
                    const TransferRunner* runner, QWidget* parent, const NameTables* nameTables) {
    const QString folder = prompts.chooseFolder(texts.text(TextId::ExportTitle));
    if (folder.isEmpty())
        return 0;
    // Only a card that already holds other versions of the files is worth a question; otherwise the export copies
    // at once.
    const std::optional<Chosen> chosen =
        choose(texts, runner, parent, nameTables, TransferDirection::Export, dataFolder, folder, set,
               [](const TransferPreview& preview) { return preview.replacesAny(); });
    if (!chosen)
        return 0;
    const QStringList& names = chosen->names;
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
    const QString done = withLeftOut(texts, texts.text(TextId::ExportSuccess), chosen->leftOut);
    if (report.cancelled) {
        TransferReport told = report;
        told.notTransferred += chosen->leftOut;
        tellCancelled(prompts, texts, told);
    } else if (report.failed.isEmpty()) {
        const QStringList missing = missingSongLines(missingSongs, documents, texts);
        if (missing.isEmpty()) {
            prompts.message(texts.text(TextId::Message), done, Prompts::Icon::None);
        } else {
            const QString text =
                done + QStringLiteral("\n\n") + texts.text(TextId::MissingSongs) + u'\n' + missing.join(u'\n');
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
        prompts.message(texts.text(TextId::Warning), withLeftOut(texts, text, chosen->leftOut), Prompts::Icon::Stop);
    }
    return 1;
}

} // namespace quorvan
