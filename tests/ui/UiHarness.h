#pragma once

#include "FakePrompts.h"
#include "TestSupport.h"

#include "app/AppContext.h"
#include "app/CQuorvanDlg.h"
#include "model/ModelState.h"
#include "player/MediaEngine.h"
#include "serial/SurperCom.h"
#include "settings/NameTables.h"
#include "settings/SettingsFiles.h"
#include "settings/TextTable.h"

#include <memory>

namespace quorvan::test {

// An engine that plays nothing and reports what the test sets.
class SilentEngine : public MediaEngine {
public:
    void setSource(const QString& fullPath) override { sources << fullPath; }
    int playState() const override { return state; }
    QStringList sources;
    int state = None;
};

// The whole program on a temporary home folder, with scripted prompts, a clock the test controls and a silent
// media engine.
struct UiHarness {
    TempHome home;
    TextTable texts;
    NameTables names;
    SettingsFiles settings{home.path()};
    SurperCom serial;
    FakePrompts prompts;
    SilentEngine engine;
    QDateTime now = QDateTime(QDate(2026, 12, 9), QTime(8, 0, 0));
    std::unique_ptr<ModelState> model;
    std::unique_ptr<AppContext> context;
    std::unique_ptr<CQuorvanDlg> window;

    // Files to place in the home folder before the program starts.
    void writeConfig(const QByteArray& ini) const { writeFile(home.file(QStringLiteral("Config.ini")), ini); }

    CQuorvanDlg& start() {
        model = std::make_unique<ModelState>(texts, home.path());
        context = std::make_unique<AppContext>(AppContext{texts, names, *model, settings, serial, prompts});
        context->clock = [this] { return now; };
        context->mediaEngine = &engine;
        window = std::make_unique<CQuorvanDlg>(*context);
        window->resize(900, 600);
        window->show();
        return *window;
    }

    QString dataFile(const QString& name) const { return home.file(QStringLiteral("zone_data/") + name); }
};

} // namespace quorvan::test
