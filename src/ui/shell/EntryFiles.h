#pragma once

#include "core/files/ScheduleTypes.h"

#include <optional>

class QWidget;

namespace quorvan {

struct AppContext;
struct DocumentInfo;
class ScheduleDocument;

// Export entries...: the entries of document's file as CSV, written to a file the operator chooses (a failure is
// said); true when written.
bool exportEntriesToCsv(AppContext& context, const DocumentInfo& document);

// What Import entries... brings: the entries of a CSV file without problems, and whether they replace the
// document's own or follow them.
struct CsvEntries {
    ScheduleTable entries;
    bool replace = true;
};
// Asks for the CSV file, reads it, lists every problem when it has any (nothing is brought then), and otherwise
// shows its entries for the operator to replace the document's with, append or cancel.
std::optional<CsvEntries> chooseCsvEntries(AppContext& context, const ScheduleDocument& document, QWidget* parent);

} // namespace quorvan
