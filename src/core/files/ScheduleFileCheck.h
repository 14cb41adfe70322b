#pragma once

#include <QString>

#include <vector>

namespace quorvan {

struct FileProblem {
    int entry = -1; // entry number from 0, -1 for the file header
    QString field;
    QString message;
};

// Validates the raw bytes of a schedule file against the controller's layout and the fields' ranges.
// An empty result means the file is valid.
std::vector<FileProblem> checkScheduleBytes(const char* data, qint64 size);

// One problem as a line: "header: cut short: …", "header: format tag: …", "entry 3: startHour: …" (entries
// numbered from 1, as the program lists them).
QString problemText(const FileProblem& problem);

} // namespace quorvan
