#pragma once

#include <QTranslator>

namespace quorvan {

// Qt's own translations (qt6-translations-l10n) for the words of Qt's dialogs: the buttons of message boxes and
// the file and folder choosers read 确定 / 取消 / 打开 in Chinese and OK / Cancel / Open in English.
class QtTranslations {
public:
    QtTranslations() = default;
    ~QtTranslations();
    QtTranslations(const QtTranslations&) = delete;
    QtTranslations& operator=(const QtTranslations&) = delete;

    // Follows the program's language (1 English, 2 Chinese). Returns false when Chinese was asked for and Qt's
    // Chinese translation is not installed; Qt's dialogs then stay English.
    bool apply(int language);
    bool installed() const { return m_installed; }

private:
    void remove();

    QTranslator m_translator;
    bool m_installed = false;
};

} // namespace quorvan
