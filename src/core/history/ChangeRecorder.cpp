#include "core/history/ChangeRecorder.h"

#include "core/texts/TextId.h"

#include <QDir>
#include <QFile>

namespace quorvan {

ChangeRecorder::ChangeRecorder(QString dataFolder, const QStringList& names, BackupStore* backups,
                               const QString& groupStem)
    : m_dataFolder(std::move(dataFolder)), m_backups(backups), m_group(!groupStem.isEmpty()) {
    const QDir folder(m_dataFolder);
    for (const QString& name : names) {
        // Only a regular file is taken (a link or a FIFO in the data folder is never followed or waited on);
        // anything else counts as no file.
        const QString path = folder.filePath(name);
        Before before{name, FileContent::open(path, kMaxScheduleFileBytes), {}};
        if (backups) {
            if (const std::optional<std::uint64_t> known = backups->knownHash(path, before.content))
                before.content.adoptHash(*known);
            const BackupVersion::Mark mark = m_group ? BackupVersion::Mark::Import : BackupVersion::Mark::None;
            const SaveResult kept = before.content.exists()
                                        ? backups->keep(name, before.content, mark, groupStem,
                                                        BackupStore::KeepBy::Link, &before.linkedVersion)
                                    : m_group ? backups->keepAbsent(name, groupStem) // restoring the group removes it
                                              : SaveResult{};
            if (!kept)
                m_backupFailures << kept.error;
        }
        m_before.push_back(std::move(before));
    }
}

ChangeRecorder::~ChangeRecorder() {
    releaseLinks(m_group);
}

void ChangeRecorder::releaseLinks(bool keepCopies) {
    for (Before& before : m_before) {
        if (before.linkedVersion.isEmpty())
            continue;
        if (before.content.isStillAtItsPath()) {
            if (!keepCopies)
                QFile::remove(before.linkedVersion);
            else if (const SaveResult settled = m_backups->settleLinked(before.linkedVersion, before.content); !settled)
                m_backupFailures << settled.error;
        }
        before.linkedVersion.clear();
    }
}

DataStep ChangeRecorder::finish(const StepLabel& label) {
    releaseLinks(true);
    DataStep step;
    step.label = label;
    const QDir folder(m_dataFolder);
    for (const Before& before : m_before) {
        const FileContent& was = before.content;
        const QString path = folder.filePath(before.name);
        const FileContent now = FileContent::open(path, kMaxScheduleFileBytes);
        if (!was.exists() && !now.exists())
            continue;
        if (m_backups)
            if (const std::optional<std::uint64_t> known = m_backups->knownHash(path, now))
                now.adoptHash(*known); // written by this program, which hashed the bytes as they went
        const FileContent none{QByteArray()};
        const std::optional<std::uint64_t> hashBefore = was.exists() ? was.hash() : 0;
        const std::optional<std::uint64_t> hashAfter = now.exists() ? now.hash() : 0;
        if (!hashBefore || !hashAfter) {
            // Read away under the program's hands: the step cannot say how to go back.
            m_backupFailures << Problem{TextId::CannotBeRebuilt, {QDir::toNativeSeparators(path)}}.inEnglish();
            continue;
        }
        if (m_backups && now.exists())
            m_backups->rememberHash(path, now); // the next change to it need not read it for its hash
        if (was.exists() == now.exists() && was.size() == now.size() && *hashBefore == *hashAfter)
            continue;
        FileChange change;
        change.name = before.name;
        change.existedBefore = was.exists();
        change.existsAfter = now.exists();
        change.hashBefore = *hashBefore;
        change.hashAfter = *hashAfter;
        FileDelta::Pair deltas = FileDelta::both(was.exists() ? was : none, now.exists() ? now : none);
        change.toAfter = std::move(deltas.forward);
        change.toBefore = std::move(deltas.backward);
        step.changes.push_back(std::move(change));
    }
    return step;
}

} // namespace quorvan
