#pragma once

#include <QStringList>

namespace quorvan {

class BackupStore;
class DataStep;
class Prompts;
class TextTable;

// The Import and Export buttons: ask for the storage folder (title text 163 or 164), transfer the files, and
// tell the operator the outcome. Return 1 when a folder was chosen, 0 when the operator cancelled.
// The import keeps the data files it replaces as one group of backups and gives back the undoable step.
int importFromStorage(Prompts& prompts, const TextTable& texts, const QString& dataFolder, const QStringList& names,
                      BackupStore* backups = nullptr, DataStep* step = nullptr);
int exportToStorage(Prompts& prompts, const TextTable& texts, const QString& dataFolder, const QStringList& names);

} // namespace quorvan
