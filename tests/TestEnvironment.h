#pragma once

#include <QDir>
#include <QFile>

#include <csignal>

namespace quorvan::test {

// Runs before the application object exists: headless windows, a private runtime folder, and file-size limits
// that fail a write instead of killing the process.
inline void prepareTestEnvironment() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const QString runtime = QDir::tempPath() + QStringLiteral("/quorvan-test-runtime");
        QDir().mkpath(runtime);
        QFile::setPermissions(runtime, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", runtime.toUtf8());
    }
    std::signal(SIGXFSZ, SIG_IGN);
}

} // namespace quorvan::test
