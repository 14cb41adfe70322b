#include "ui/common/Messages.h"

#include "core/files/AtomicFile.h"
#include "core/texts/TextTable.h"
#include "ui/common/Prompts.h"

namespace quorvan {

QString saveFailureText(const TextTable& texts, const SaveResult& result) {
    return texts.text(TextId::ChangesNotSaved) + u'\n' + result.reason(texts);
}

LeaveAnswer askToLeaveEntry(Prompts& prompts, const TextTable& texts) {
    enum { Save, Discard, Cancel };
    const QStringList buttons{texts.text(TextId::SaveButton), texts.text(TextId::DiscardButton),
                              texts.text(TextId::CancelButton)};
    switch (prompts.question(texts.text(TextId::Message), texts.text(TextId::UnsavedEntry), buttons, Cancel)) {
    case Save:
        return LeaveAnswer::Save;
    case Discard:
        return LeaveAnswer::Discard;
    default:
        return LeaveAnswer::Stay;
    }
}

QString dialogTitle(const TextTable& texts, int text) {
    QString title = texts.text(text);
    if (title.endsWith(QStringLiteral("...")))
        title.chop(3);
    return title;
}

} // namespace quorvan
