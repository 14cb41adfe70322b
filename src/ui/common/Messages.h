#pragma once

#include "core/schedule/EntryListLogic.h"

#include <QString>

namespace quorvan {

struct SaveResult;
class Prompts;
class TextTable;

// The warning shown when a document or settings file cannot be written: what was lost, then the file and reason.
QString saveFailureText(const TextTable& texts, const SaveResult& result);

// A dialog's title from the caption of the button or menu item that opens it: "Export entries..." gives
// "Export entries".
QString dialogTitle(const TextTable& texts, int text);

// Asks whether to save the unsaved edits of the entry being left: Save, Discard or Cancel (stay).
LeaveAnswer askToLeaveEntry(Prompts& prompts, const TextTable& texts);

} // namespace quorvan
