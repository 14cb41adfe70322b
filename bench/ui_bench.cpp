// How fast the main window fills a page with the largest schedule a controller takes: 256 entries of 255 songs.
// The program runs as it does for an operator (a temporary home folder, the real windows on Qt's offscreen
// platform, events processed until the page has painted); only the music engine is silent.
#include "BenchTables.h"

#include "core/files/ScheduleFile.h"
#include "core/history/BackupStore.h"
#include "core/serial/SerialLink.h"
#include "core/settings/NameTables.h"
#include "core/settings/SettingsFiles.h"
#include "core/texts/TextTable.h"
#include "ui/common/AppContext.h"
#include "ui/common/QtPrompts.h"
#include "ui/player/MediaEngine.h"
#include "ui/schedule/EntryEditor.h"
#include "ui/schedule/TimingListPage.h"
#include "ui/shell/MainWindow.h"
#include "ui/sources/LocalMp3Page.h"
#include "ui/sources/SourcePanel.h"

#include <QApplication>
#include <QDir>
#include <QListWidget>
#include <QTableWidget>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

using namespace quorvan;

namespace {

class SilentEngine : public MediaEngine {
public:
    void setSource(const QString&) override {}
    int playState() const override { return None; }
};

// The program on a home folder whose Schedule1 is the largest table and Schedule2 a small one.
struct Program {
    QTemporaryDir home{QDir::tempPath() + QStringLiteral("/quorvan-ui-bench-XXXXXX")};
    QString folder = home.path() + u'/';
    TextTable texts;
    NameTables names;
    SettingsFiles settings{folder};
    SerialLink serial;
    QtPrompts prompts;
    BackupStore backups{folder};
    SilentEngine engine;
    std::unique_ptr<ScheduleModel> model;
    std::unique_ptr<AppContext> context;
    std::unique_ptr<MainWindow> window;

    Program() {
        saveTable(folder, QStringLiteral("SCH01.DAT"), *bench::buildTable(kMaxEntries, kMaxSongs));
        saveTable(folder, QStringLiteral("SCH02.DAT"), *bench::buildTable(3, 2));
        model = std::make_unique<ScheduleModel>(texts, folder);
        context = std::make_unique<AppContext>(AppContext{texts, names, *model, settings, serial, prompts, backups});
        context->mediaEngine = &engine;
        window = std::make_unique<MainWindow>(*context);
        prompts.setOwner(window.get());
        window->resize(MainWindow::kPreferredWidth, MainWindow::kPreferredHeight);
        window->show();
        settle();
    }
    // Posted events (layouts, updates) are handled and the window paints.
    static void settle() { QApplication::processEvents(); }
    TimingListPage& page() const { return window->timingPage(); }
    QListWidget& songs() const { return *page().editor().sourcePanel().mp3Page()->songList(); }
};

Program& program() {
    static Program p;
    return p;
}

// Selecting Schedule1 until its list shows 256 rows with their cells written.
void BM_ShowLargestSchedule(benchmark::State& state) {
    Program& p = program();
    for (auto _ : state) {
        state.PauseTiming();
        p.window->selectDocument(1);
        Program::settle();
        state.ResumeTiming();
        p.window->selectDocument(0);
        Program::settle();
    }
    QTableWidget& list = *p.page().list();
    if (list.rowCount() != kMaxEntries || !list.item(kMaxEntries - 1, 1) || list.item(kMaxEntries - 1, 1)->text().isEmpty())
        state.SkipWithError("the list does not show the 256 entries");
}

// Selecting a row of that schedule until the editor shows the entry with its 255 songs.
void BM_SelectRowLargest(benchmark::State& state) {
    Program& p = program();
    p.window->selectDocument(0);
    Program::settle();
    int row = 0;
    for (auto _ : state) {
        row = (row + 97) % kMaxEntries; // rows far apart, never the one shown
        p.page().list()->setCurrentCell(row, 1);
        Program::settle();
    }
    if (p.songs().count() != kMaxSongs || p.page().list()->currentRow() != row)
        state.SkipWithError("the editor does not show the selected entry");
}

// Switching the language with that schedule shown, until every window has its new texts.
void BM_RetranslateAll(benchmark::State& state) {
    Program& p = program();
    p.window->selectDocument(0);
    Program::settle();
    bool chinese = false;
    for (auto _ : state) {
        chinese = !chinese;
        if (chinese)
            p.texts.loadChinese();
        else
            p.texts.loadEnglish();
        p.window->retranslateAll();
        Program::settle();
    }
    p.texts.loadEnglish();
    p.window->retranslateAll();
}

BENCHMARK(BM_ShowLargestSchedule)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SelectRowLargest)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RetranslateAll)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("quorvan-ui-bench"));
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
