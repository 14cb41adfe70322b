#pragma once

#include <QStringList>

namespace quorvan {

class Prompts;
class TextTable;

// The Import and Export buttons: ask for the storage folder (title text 163 or 164), transfer the files, and
// tell the operator the outcome. Return 1 when a folder was chosen, 0 when the operator cancelled.
int importFromStorage(Prompts& prompts, const TextTable& texts, const QString& dataFolder, const QStringList& names);
int exportToStorage(Prompts& prompts, const TextTable& texts, const QString& dataFolder, const QStringList& names);

} // namespace quorvan
