#include "app/ShellRules.h"

#include "settings/SettingsFiles.h"
#include "settings/AtomicFile.h"
#include "settings/TextTable.h"

namespace quorvan {

int startLanguage(const SettingValue& id) {
    int language = 2; // the Chinese table is loaded first
    if (!id.present)
        return 2;
    if (unsigned(id.value) <= 3u)
        language = id.value;
    return language == 1 ? 1 : 2;
}

std::array<QString, 4> statusBarTexts(const TextTable& texts, const QString& documentCaption, bool musicPlaying,
                                      const QDateTime& now) {
    return {texts.Text(219) + documentCaption, texts.Text(220) + texts.Text(musicPlaying ? 222 : 221),
            QStringLiteral("   "),
            texts.Text(223) + now.toString(QStringLiteral("  yyyy/MM/dd HH:mm:ss"))};
}

} // namespace quorvan

namespace quorvan {
QString saveFailureText(const TextTable& texts, const SaveResult& result) {
    const QString lead = texts.language() == 1 ? QStringLiteral("The changes could not be saved.")
                                               : QStringLiteral("修改未能保存。");
    return lead + u'\n' + result.error;
}
} // namespace quorvan
