#include "ui/common/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>

namespace quorvan {

QtTranslations::~QtTranslations() {
    remove();
}

void QtTranslations::remove() {
    if (m_installed)
        QCoreApplication::removeTranslator(&m_translator);
    m_installed = false;
}

bool QtTranslations::apply(int language) {
    remove();
    if (language != 2)
        return true; // Qt's dialogs speak English without a translation
    // "qt_zh_CN" gathers the Chinese of every Qt module installed (qtbase, qtmultimedia, ...).
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!m_translator.load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qt"), QStringLiteral("_"),
                           folder))
        return false;
    m_installed = QCoreApplication::installTranslator(&m_translator);
    return m_installed;
}

} // namespace quorvan
