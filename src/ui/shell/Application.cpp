#include "ui/shell/Application.h"

#include "core/history/BackupStore.h"
#include "core/schedule/ScheduleModel.h"
#include "core/serial/SerialLink.h"
#include "core/settings/HomeFolder.h"
#include "core/settings/HomeLock.h"
#include "core/settings/NameTables.h"
#include "core/settings/SettingsFiles.h"
#include "core/texts/TextTable.h"
#include "ui/common/AppContext.h"
#include "ui/common/QtPrompts.h"
#include "ui/shell/MainWindow.h"

#include <QApplication>
#include <QDir>

#include <cstdio>

namespace quorvan {

bool Application::holdHome(HomeLock& lock, const QString& folder, Prompts& prompts) {
    if (lock.tryLock())
        return true;
    if (!lock.heldByAnother()) {
        // A home where no lock file can be made (a read-only folder) is not kept from the operator: what cannot
        // be written there is reported when it is written.
        std::fprintf(stderr, "quorvan: %s\n", qPrintable(lock.error()));
        return true;
    }
    TextTable english;
    english.loadEnglish();
    TextTable chinese;
    chinese.loadChinese();
    const QString where = QDir::toNativeSeparators(folder);
    const QString text = english.text(TextId::HomeInUse).arg(where, lock.error()) + QStringLiteral("\n\n") +
                         chinese.text(TextId::HomeInUse).arg(where, lock.error());
    std::fprintf(stderr, "quorvan: %s\n", qPrintable(english.text(TextId::HomeInUse).arg(where, lock.error())));
    prompts.message(english.text(TextId::Warning) + QStringLiteral(" / ") + chinese.text(TextId::Warning), text,
                    Prompts::Icon::Stop);
    return false;
}

int Application::run(const std::optional<QString>& homeOption) {
    const HomeFolderChoice home = programFolderPath(homeOption);
    if (!home.error.isEmpty()) {
        std::fprintf(stderr, "quorvan: %s\n", qPrintable(home.error));
        return 2;
    }
    // Before anything of the home is read or made: a second program on it would overwrite the first's saves.
    HomeLock lock(home.folder);
    {
        QtPrompts early;
        if (!holdHome(lock, home.folder, early))
            return 1;
    }
    TextTable texts;
    NameTables names;
    SettingsFiles settings(home.folder);
    SerialLink serial;
    ScheduleModel model(texts, home.folder); // creates zone_data/ and loads the first document
    QtPrompts prompts;
    BackupStore backups(home.folder);
    backups.setLimits(BackupStore::limitsFrom(settings));
    AppContext context{texts, names, model, settings, serial, prompts, backups};

    MainWindow window(context);
    prompts.setOwner(&window);
    window.show();
    return QApplication::exec();
}

} // namespace quorvan
