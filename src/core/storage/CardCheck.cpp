#include "core/storage/CardCheck.h"

#include "core/files/ScheduleFile.h"
#include "core/schedule/ScheduleModel.h"
#include "core/texts/TextTable.h"

#include <QDir>

#include <algorithm>

namespace quorvan {

QSet<QString> cardFileNames(const QString& cardFolder) {
    QSet<QString> names;
    const QStringList entries = QDir(cardFolder).entryList(QDir::Files | QDir::Hidden, QDir::NoSort);
    for (const QString& entry : entries)
        names.insert(entry.toCaseFolded());
    return names;
}

std::vector<MissingSong> missingSongs(const ScheduleTable& table, const QString& file, const QSet<QString>& cardNames) {
    std::vector<MissingSong> missing;
    QHash<QString, std::size_t> byName; // case-folded name → index in missing
    for (int i = 0; i < table.count(); ++i) {
        const TimingEntry& entry = table.entries[std::size_t(i)];
        if (!(entry.sourceMask & source::kHostMp3) || !entry.playlistOnCard)
            continue;
        for (const QString& name : entry.playlist) {
            const QString folded = name.toCaseFolded();
            if (name.isEmpty() || cardNames.contains(folded))
                continue;
            const auto found = byName.constFind(folded);
            if (found == byName.constEnd()) {
                byName.insert(folded, missing.size());
                missing.push_back({name, file, {i + 1}});
            } else if (missing[*found].entries.back() != i + 1) {
                missing[*found].entries.push_back(i + 1); // a song twice in one entry names the entry once
            }
        }
    }
    return missing;
}

std::vector<MissingSong> findMissingSongs(const QString& dataFolder, const QString& cardFolder,
                                          const QStringList& files) {
    const QSet<QString> cardNames = cardFileNames(cardFolder);
    auto table = makeTable();
    std::vector<MissingSong> missing;
    for (const QString& file : files) {
        loadTableFile(QDir(dataFolder).filePath(file), *table);
        for (MissingSong& song : missingSongs(*table, file, cardNames))
            missing.push_back(std::move(song));
    }
    std::stable_sort(missing.begin(), missing.end(), [](const MissingSong& a, const MissingSong& b) {
        if (const int byName = a.name.compare(b.name, Qt::CaseInsensitive))
            return byName < 0;
        return a.file < b.file;
    });
    return missing;
}

QStringList missingSongLines(const std::vector<MissingSong>& missing, const std::vector<DocumentInfo>& documents,
                             const TextTable& texts, int maxSongs) {
    const auto captionOf = [&](const QString& file) {
        for (const DocumentInfo& d : documents) {
            if (d.fileName.compare(file, Qt::CaseInsensitive) == 0)
                return d.caption;
        }
        return file;
    };
    QStringList lines;
    int songs = 0;
    for (std::size_t i = 0; i < missing.size();) {
        // The places of one song: its run of consecutive items, one per file.
        QStringList places;
        std::size_t j = i;
        for (; j < missing.size() && missing[j].name.compare(missing[i].name, Qt::CaseInsensitive) == 0; ++j) {
            QStringList numbers;
            for (const int entry : missing[j].entries)
                numbers << QString::number(entry);
            places << captionOf(missing[j].file) + QStringLiteral(": ") + numbers.join(QStringLiteral(", "));
        }
        if (songs < maxSongs)
            lines << missing[i].name + QStringLiteral(" — ") + places.join(QStringLiteral("; "));
        ++songs;
        i = j;
    }
    if (songs > maxSongs)
        lines << texts.text(TextId::MoreMissingSongs).arg(songs - maxSongs);
    return lines;
}

} // namespace quorvan
