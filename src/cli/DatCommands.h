#pragma once

#include <QStringList>

#include <cstdio>

namespace quorvan::dat {

// Runs quorvan-dat with its arguments (program name excluded). Returns the exit status:
// 0 success, 1 a refused input or an invalid file, 2 a usage error.
int run(const QStringList& args, std::FILE* out, std::FILE* err);

QString usage();

} // namespace quorvan::dat
