#include "core/settings/HomeFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace quorvan {

namespace {

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

HomeFolderChoice explicitFolder(const QString& folder, const QString& origin, FolderUse use) {
    if (folder.isEmpty())
        return {{}, origin + QStringLiteral(" names no folder")};
    if (use == FolderUse::LookOnly && !QFileInfo(folder).isDir())
        return {{}, origin + QStringLiteral(": no such folder ") + folder};
    if (!QDir().mkpath(folder) || !QFileInfo(folder).isDir())
        return {{}, origin + QStringLiteral(": cannot create the folder ") + folder};
    return {withSlash(folder), {}};
}

// An installed program (a package, or `cmake --install`) lives in PREFIX/bin beside PREFIX/share/applications/
// quorvan.desktop; its data belongs to each user, not into the program's folder, even where that is writable.
bool isInstalledProgramFolder(const QString& folder) {
    const QDir dir(folder);
    return dir.dirName() == QStringLiteral("bin") &&
           QFileInfo::exists(dir.filePath(QStringLiteral("../share/applications/quorvan.desktop")));
}

} // namespace

HomeFolderChoice resolveProgramFolder(const std::optional<QString>& homeOption, const QString& environmentHome,
                                      const QString& executableFolder, FolderUse use) {
    if (homeOption)
        return explicitFolder(*homeOption, QStringLiteral("--home"), use);
    if (!environmentHome.isEmpty())
        return explicitFolder(environmentHome, QStringLiteral("QUORVAN_HOME"), use);
    if (!executableFolder.isEmpty() && isWritableFolder(executableFolder) && !isInstalledProgramFolder(executableFolder))
        return {withSlash(executableFolder), {}};
    const QString perUser = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    if (use == FolderUse::Create)
        QDir().mkpath(perUser);
    return {withSlash(perUser), {}};
}

HomeFolderChoice programFolderPath(const std::optional<QString>& homeOption) {
    return resolveProgramFolder(homeOption, qEnvironmentVariable("QUORVAN_HOME"),
                                QCoreApplication::applicationDirPath());
}

QString manualFile(const QString& executableFolder, const QString& sourceTree, const QString& language) {
    const QString page = QStringLiteral("manual/%1/index.html").arg(language);
    QStringList candidates;
    if (!executableFolder.isEmpty())
        candidates << QDir(executableFolder).filePath(QStringLiteral("../share/doc/quorvan/") + page);
    if (!sourceTree.isEmpty())
        candidates << QDir(sourceTree).filePath(QStringLiteral("docs/") + page);
    for (const QString& candidate : candidates)
        if (QFileInfo(candidate).isFile())
            return QDir::cleanPath(QFileInfo(candidate).absoluteFilePath());
    return {};
}

} // namespace quorvan
