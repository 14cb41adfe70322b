#include "core/texts/Problem.h"

#include "core/texts/TextTable.h"

namespace quorvan {

QString Problem::in(const TextTable& texts) const {
    const QString format = texts.text(text);
    // All arguments in one pass, so that a "%1" inside a file name is never taken for a place holder.
    switch (args.size()) {
    case 0:
        return format;
    case 1:
        return format.arg(args[0]);
    case 2:
        return format.arg(args[0], args[1]);
    case 3:
        return format.arg(args[0], args[1], args[2]);
    default:
        return format.arg(args[0], args[1], args[2], args[3]);
    }
}

QString Problem::inEnglish() const {
    static const TextTable english = [] {
        TextTable t;
        t.loadEnglish();
        return t;
    }();
    return in(english);
}

} // namespace quorvan
