#include "app/CQuorvanApp.h"

#include "app/AppContext.h"
#include "app/CQuorvanDlg.h"
#include "app/QtPrompts.h"
#include "model/ModelState.h"
#include "serial/SurperCom.h"
#include "settings/HomeFolder.h"
#include "settings/NameTables.h"
#include "settings/SettingsFiles.h"
#include "settings/TextTable.h"

#include <QApplication>

#include <cstdio>

namespace quorvan {

int CQuorvanApp::InitInstance() {
    const HomeFolderChoice home = programFolderPath();
    if (!home.error.isEmpty()) {
        std::fprintf(stderr, "quorvan: %s\n", qPrintable(home.error));
        return 2;
    }
    TextTable texts;
    NameTables names;
    SettingsFiles settings(home.folder);
    SurperCom serial;
    ModelState model(texts, home.folder); // creates zone_data/ and loads the first document
    QtPrompts prompts;
    AppContext context{texts, names, model, settings, serial, prompts};

    CQuorvanDlg window(context);
    prompts.setOwner(&window);
    window.show();
    return QApplication::exec();
}

} // namespace quorvan
