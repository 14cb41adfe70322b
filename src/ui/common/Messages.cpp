#include "ui/common/Messages.h"

#include "core/files/AtomicFile.h"
#include "core/texts/TextTable.h"

namespace quorvan {

QString saveFailureText(const TextTable& texts, const SaveResult& result) {
    const QString lead =
        texts.language() == 1 ? QStringLiteral("The changes could not be saved.") : QStringLiteral("修改未能保存。");
    return lead + u'\n' + result.error;
}

} // namespace quorvan
