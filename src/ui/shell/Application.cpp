#include "ui/shell/Application.h"

#include "core/history/BackupStore.h"
#include "core/schedule/ScheduleModel.h"
#include "core/serial/SerialLink.h"
#include "core/settings/HomeFolder.h"
#include "core/settings/NameTables.h"
#include "core/settings/SettingsFiles.h"
#include "core/texts/TextTable.h"
#include "ui/common/AppContext.h"
#include "ui/common/QtPrompts.h"
#include "ui/shell/MainWindow.h"

#include <QApplication>

#include <cstdio>

namespace quorvan {

int Application::run(const std::optional<QString>& homeOption) {
    const HomeFolderChoice home = programFolderPath(homeOption);
    if (!home.error.isEmpty()) {
        std::fprintf(stderr, "quorvan: %s\n", qPrintable(home.error));
        return 2;
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
