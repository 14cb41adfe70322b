#pragma once

#include <QString>

#include <vector>

namespace quorvan {

struct DocumentInfo;
struct StepLabel;
class TextTable;

// A step's name for the undo history, in the current language: "delete entry 3 of Schedule1".
QString stepText(const StepLabel& label, const TextTable& texts, const std::vector<DocumentInfo>& documents);

} // namespace quorvan
