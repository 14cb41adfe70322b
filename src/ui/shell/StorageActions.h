#pragma once

#include <QStringList>

class QWidget;

namespace quorvan {

class BackupStore;
class DataStep;
class NameTables;
class Prompts;
class TextTable;
class TransferRunner;

// The Import and Export buttons: ask for the storage folder (title text 163 or 164), say what the transfer would
// change file by file (an import always, an export when the card holds other versions of the files) and let the
// operator leave files out, transfer the chosen files through runner (one without a window when none is given),
// and tell the operator the outcome. Return 1 when the transfer ran, 0 when the operator cancelled the folder
// choice or the preview. nameTables gives the zone and channel names of the comparisons (the defaults without).
// The import keeps the data files it replaces as one group of backups and gives back the undoable step, also when
// it was cancelled part way.
int importFromStorage(Prompts& prompts, const TextTable& texts, const QString& dataFolder, const QStringList& names,
                      BackupStore* backups = nullptr, DataStep* step = nullptr, const TransferRunner* runner = nullptr,
                      QWidget* parent = nullptr, const NameTables* nameTables = nullptr);
// A complete export then checks the schedules now on the card: songs they play from the card that its folder
// lacks are listed under the success message.
// More songs than a message holds are offered in a window of their own (on parent), to copy or save.
int exportToStorage(Prompts& prompts, const TextTable& texts, const QString& dataFolder, const QStringList& names,
                    const TransferRunner* runner = nullptr, QWidget* parent = nullptr,
                    const NameTables* nameTables = nullptr);

} // namespace quorvan
