#pragma once

#include <QString>

namespace quorvan {

struct SaveResult;
class TextTable;

// The warning shown when a document or settings file cannot be written: what was lost, then the file and reason.
QString saveFailureText(const TextTable& texts, const SaveResult& result);

} // namespace quorvan
