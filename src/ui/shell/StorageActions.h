#pragma once

#include <QStringList>

class QWidget;

namespace quorvan {

class BackupStore;
class DataStep;
class Prompts;
class TextTable;
class TransferRunner;

// The Import and Export buttons: ask for the storage folder (title text 163 or 164), transfer the files through
// runner (one without a window when none is given), and tell the operator the outcome. Return 1 when a folder was
// chosen, 0 when the operator cancelled the folder choice.
// The import keeps the data files it replaces as one group of backups and gives back the undoable step, also when
// it was cancelled part way.
int importFromStorage(Prompts& prompts, const TextTable& texts, const QString& dataFolder, const QStringList& names,
                      BackupStore* backups = nullptr, DataStep* step = nullptr, const TransferRunner* runner = nullptr);
// A complete export then checks the schedules now on the card: songs they play from the card that its folder
// lacks are listed under the success message.
// More songs than a message holds are offered in a window of their own (on parent), to copy or save.
int exportToStorage(Prompts& prompts, const TextTable& texts, const QString& dataFolder, const QStringList& names,
                    const TransferRunner* runner = nullptr, QWidget* parent = nullptr);

} // namespace quorvan
