#include "settings/HomeFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace quorvan {

namespace {

const QString kHomeOption = QStringLiteral("--home");

QString withSlash(const QString& folder) {
    QString f = QDir::cleanPath(QDir(folder).absolutePath());
    if (!f.endsWith(u'/'))
        f += u'/';
    return f;
}

bool isWritableFolder(const QString& folder) {
    const QFileInfo info(folder);
    return info.isDir() && info.isWritable();
}

HomeFolderChoice explicitFolder(const QString& folder, const QString& origin) {
    if (folder.isEmpty())
        return {{}, origin + QStringLiteral(" names no folder")};
    if (!QDir().mkpath(folder) || !QFileInfo(folder).isDir())
        return {{}, origin + QStringLiteral(": cannot create the folder ") + folder};
    return {withSlash(folder), {}};
}

} // namespace

HomeFolderChoice resolveProgramFolder(const QStringList& args, const QString& environmentHome,
                                      const QString& executableFolder) {
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args[i] == kHomeOption)
            return explicitFolder(i + 1 < args.size() ? args[i + 1] : QString(), kHomeOption);
        if (args[i].startsWith(kHomeOption + u'='))
            return explicitFolder(args[i].sliced(kHomeOption.size() + 1), kHomeOption);
    }
    if (!environmentHome.isEmpty())
        return explicitFolder(environmentHome, QStringLiteral("QUORVAN_HOME"));
    if (!executableFolder.isEmpty() && isWritableFolder(executableFolder))
        return {withSlash(executableFolder), {}};
    const QString perUser = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    QDir().mkpath(perUser);
    return {withSlash(perUser), {}};
}

HomeFolderChoice programFolderPath() {
    return resolveProgramFolder(QCoreApplication::arguments(), qEnvironmentVariable("QUORVAN_HOME"),
                                QCoreApplication::applicationDirPath());
}

QStringList withoutHomeOption(const QStringList& args) {
    QStringList rest;
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args[i] == kHomeOption) {
            ++i;
            continue;
        }
        if (!args[i].startsWith(kHomeOption + u'='))
            rest << args[i];
    }
    return rest;
}

} // namespace quorvan
