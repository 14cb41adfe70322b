#pragma once

#include "FakePrompts.h"
#include "TestSupport.h"

#include "core/files/ScheduleFile.h"
#include "core/history/BackupStore.h"
#include "core/schedule/ScheduleModel.h"
#include "core/serial/SerialLink.h"
#include "core/settings/NameTables.h"
#include "core/settings/SettingsFiles.h"
#include "core/texts/TextTable.h"
#include "ui/common/AppContext.h"
#include "ui/player/MediaEngine.h"
#include "ui/shell/MainWindow.h"

#include <QDir>

#include <gtest/gtest.h>

#include <memory>

namespace quorvan::test {

// An engine that plays nothing and reports what the test sets.
class SilentEngine : public MediaEngine {
public:
    void setSource(const QString& fullPath) override { sources << fullPath; }
    PlayState playState() const override { return state; }
    QStringList sources;
    PlayState state = PlayState::None;
};

// The whole program on a temporary home folder, with scripted prompts, a clock the test controls and a silent
// media engine.
struct UiHarness {
    TempHome home;
    TextTable texts;
    NameTables names;
    SettingsFiles settings{home.path()};
    SerialLink serial;
    FakePrompts prompts;
    BackupStore backups{home.path()};
    SilentEngine engine;
    QDateTime now = QDateTime(QDate(2026, 12, 9), QTime(8, 0, 0));
    std::unique_ptr<ScheduleModel> model;
    std::unique_ptr<AppContext> context;
    std::unique_ptr<MainWindow> window;

    // Files to place in the home folder before the program starts.
    void writeConfig(const QByteArray& ini) const { writeFile(home.file(QStringLiteral("Config.ini")), ini); }
    // A schedule file of `entries` example entries, starting (and ending) at firstHour, firstHour + 1, ...
    void writeSchedule(const QString& file, int entries, int firstHour = 8) const {
        auto table = makeTable();
        for (int i = 0; i < entries; ++i) {
            TimingEntry e = exampleEntry();
            e.startHour = std::uint8_t(firstHour + i);
            e.endHour = std::uint8_t(firstHour + i);
            appendEntry(*table, e);
        }
        QDir().mkpath(home.file(QStringLiteral("zone_data")));
        EXPECT_TRUE(saveTableFile(dataFile(file), *table).ok);
    }

    MainWindow& start() {
        model = std::make_unique<ScheduleModel>(texts, home.path());
        context = std::make_unique<AppContext>(AppContext{texts, names, *model, settings, serial, prompts, backups});
        context->clock = [this] { return now; };
        context->mediaEngine = &engine;
        window = std::make_unique<MainWindow>(*context);
        window->resize(900, 600);
        window->show();
        return *window;
    }

    QString dataFile(const QString& name) const { return home.file(QStringLiteral("zone_data/") + name); }
};

} // namespace quorvan::test
