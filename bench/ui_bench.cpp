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
#include "ui/common/Prompts.h"
#include "ui/common/QtPrompts.h"
#include "ui/compare/TransferPreviewDialog.h"
#include "ui/history/UndoHistory.h"
#include "ui/player/MediaEngine.h"
#include "ui/schedule/EntryEditor.h"
#include "ui/schedule/ReportDialog.h"
#include "ui/schedule/TimingListPage.h"
#include "ui/shell/MainWindow.h"
#include "ui/shell/ToolBar.h"
#include "ui/sources/LocalMp3Page.h"
#include "ui/sources/SourcePanel.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>

#include <fcntl.h>
#include <unistd.h>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>

using namespace quorvan;

namespace {

class SilentEngine : public MediaEngine {
public:
    void setSource(const QString&) override {}
    PlayState playState() const override { return PlayState::None; }
};

// The program as an operator runs it, on a temporary home folder that fill() has written, with these prompts.
struct Running {
    QTemporaryDir home{QDir::tempPath() + QStringLiteral("/quorvan-ui-bench-XXXXXX")};
    QString folder = home.path() + u'/';
    TextTable texts;
    NameTables names;
    SettingsFiles settings{folder};
    SerialLink serial;
    BackupStore backups{folder};
    SilentEngine engine;
    std::unique_ptr<ScheduleModel> model;
    std::unique_ptr<AppContext> context;
    std::unique_ptr<MainWindow> window;

    void start(Prompts& prompts) {
        model = std::make_unique<ScheduleModel>(texts, folder);
        context = std::make_unique<AppContext>(AppContext{texts, names, *model, settings, serial, prompts, backups});
        context->mediaEngine = &engine;
        window = std::make_unique<MainWindow>(*context);
        window->resize(MainWindow::kPreferredWidth, MainWindow::kPreferredHeight);
        window->show();
        QApplication::processEvents();
    }
};

// The program on a home folder whose Schedule1 is the largest table and Schedule2 a small one.
struct Program : Running {
    QtPrompts prompts;

    Program() {
        saveTable(folder, QStringLiteral("SCH01.DAT"), *bench::buildTable(kMaxEntries, kMaxSongs));
        saveTable(folder, QStringLiteral("SCH02.DAT"), *bench::buildTable(3, 2));
        start(prompts);
        prompts.setOwner(window.get());
    }
    // Posted events (layouts, updates) are handled and the window paints.
    static void settle() { QApplication::processEvents(); }
    TimingListPage& page() const { return window->timingPage(); }
    QListWidget& songs() const { return *page().editor().sourcePanel().mp3Page()->songList(); }
};

// The programs live until main() ends them, before the application goes.
std::unique_ptr<Program>& programSlot() {
    static std::unique_ptr<Program> p;
    return p;
}

Program& program() {
    if (!programSlot())
        programSlot() = std::make_unique<Program>();
    return *programSlot();
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

// The longest time the window's event loop went without a turn while the meter ran: what an operator sees as a
// frozen window.
class PauseMeter {
public:
    PauseMeter() {
        m_timer.setTimerType(Qt::PreciseTimer);
        m_timer.setInterval(1);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { turn(); });
    }
    void start() {
        m_clock.start();
        m_last = 0;
        m_timer.start();
    }
    void stop() {
        turn();
        m_timer.stop();
    }
    double longestMs() const { return double(m_longest) / 1e6; }

private:
    void turn() {
        const qint64 now = m_clock.nsecsElapsed();
        m_longest = std::max(m_longest, now - m_last);
        m_last = now;
    }
    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_last = 0;
    qint64 m_longest = 0;
};

// The report of the largest schedule until the dialog shows its first page.
void BM_ReportLargestFirstPage(benchmark::State& state) {
    Program& p = program();
    p.window->selectDocument(0);
    Program::settle();
    for (auto _ : state) {
        ReportDialog dialog(*p.context, QStringLiteral("Schedule1"), p.model->document().table(),
                            p.model->document().table().count());
        dialog.show();
        Program::settle();
        state.PauseTiming();
        if (dialog.pages().pageCount() < 1)
            state.SkipWithError("no page shown");
        state.ResumeTiming();
    }
}

// ... until every page is laid out while the dialog takes events, with the longest pause of its window.
void BM_ReportLargestAllPages(benchmark::State& state) {
    Program& p = program();
    PauseMeter meter;
    int pages = 0;
    for (auto _ : state) {
        ReportDialog dialog(*p.context, QStringLiteral("Schedule1"), p.model->document().table(),
                            p.model->document().table().count());
        dialog.show();
        meter.start();
        while (!dialog.pages().done())
            QApplication::processEvents(QEventLoop::AllEvents, 5);
        meter.stop();
        pages = dialog.pages().pageCount();
    }
    state.counters["pages"] = pages;
    state.counters["longest_pause_ms"] = meter.longestMs();
}

// ... written whole as a PDF, with the longest pause of the progress dialog's window.
void BM_ReportLargestPdf(benchmark::State& state) {
    Program& p = program();
    PauseMeter meter;
    qint64 size = 0;
    for (auto _ : state) {
        ReportDialog dialog(*p.context, QStringLiteral("Schedule1"), p.model->document().table(),
                            p.model->document().table().count());
        QBuffer out;
        out.open(QIODevice::WriteOnly);
        meter.start();
        if (!dialog.writePdf(out))
            state.SkipWithError("the PDF was not written");
        meter.stop();
        size = out.size();
    }
    state.counters["MB"] = double(size) / 1e6;
    state.counters["longest_pause_ms"] = meter.longestMs();
}

// Answers the one folder question of an import with the card it was given; every other prompt is cancelled.
class CardPrompts : public Prompts {
public:
    QString card;
    int messages = 0;
    void message(const QString&, const QString&, Icon) override { ++messages; }
    int question(const QString&, const QString&, const QStringList&, int cancelIndex) override { return cancelIndex; }
    bool choosePrinter(QPrinter&, const QString&) override { return false; }
    QString chooseFolder(const QString&) override { return card; }
    QStringList chooseFiles(const QString&, const QString&) override { return {}; }
    QString chooseOpenFile(const QString&, const QString&) override { return {}; }
    QString chooseSaveFile(const QString&, const QString&, const QString&) override { return {}; }
    bool openDocument(const QString&) override { return false; }
};

// Presses Import in the preview an import shows first, as the operator who has read it does.
class AcceptPreviews {
public:
    AcceptPreviews() {
        QObject::connect(&m_timer, &QTimer::timeout, [] {
            if (auto* dialog = qobject_cast<TransferPreviewDialog*>(QApplication::activeModalWidget());
                dialog && dialog->isVisible() && dialog->result() == 0)
                dialog->transferButton()->click();
        });
        m_timer.start(5);
    }

private:
    QTimer m_timer;
};

// The program with four largest schedules, two cards holding four other largest ones each, and its history on.
struct CardProgram : Running {
    CardPrompts prompts;
    QString cards[2] = {folder + QStringLiteral("cardA"), folder + QStringLiteral("cardB")};

    CardProgram() {
        for (int i = 0; i < 4; ++i) {
            const QString name = QStringLiteral("SCH0%1.DAT").arg(i + 1);
            auto table = bench::buildTable(kMaxEntries, kMaxSongs);
            table->entries[0].startSecond = std::uint8_t(i); // four different files
            saveTable(folder, name, *table);
            for (int c = 0; c < 2; ++c) {
                QDir().mkpath(cards[c]);
                table->entries[1].startSecond = std::uint8_t(10 + c);
                saveTableFile(cards[c] + u'/' + name, *table);
            }
        }
        start(prompts);
        ::sync(); // the set-up's 480 MB reach the disk before anything is timed
    }
};

std::unique_ptr<CardProgram>& cardSlot() {
    static std::unique_ptr<CardProgram> p;
    return p;
}

CardProgram& cardProgram() {
    if (!cardSlot())
        cardSlot() = std::make_unique<CardProgram>();
    return *cardSlot();
}

// Import of four 40.8 MB schedules (and the other files of the set) from a card, through the tool bar, until the
// window takes input again, its preview read and accepted; the cards take turns so that every import changes the
// four files.
void BM_ImportLargestSet(benchmark::State& state) {
    CardProgram& p = cardProgram();
    const AcceptPreviews accept;
    PauseMeter meter;
    int card = 0;
    for (auto _ : state) {
        p.prompts.card = p.cards[card];
        card = 1 - card;
        meter.start();
        p.window->toolBar().importFromCard();
        meter.stop();
    }
    state.counters["longest_pause_ms"] = meter.longestMs();
}

// Undo of such an import, then its redo, through the window.
void BM_UndoRedoImportLargestSet(benchmark::State& state) {
    CardProgram& p = cardProgram();
    const AcceptPreviews accept;
    if (!p.window->history().canUndo()) {
        p.prompts.card = p.cards[0];
        p.window->toolBar().importFromCard();
    }
    PauseMeter meter;
    for (auto _ : state) {
        meter.start();
        p.window->undo();
        p.window->redo();
        meter.stop();
    }
    state.counters["longest_pause_ms"] = meter.longestMs();
}

// A Save of the largest schedule with one entry changed, backups and history on, until the window takes input.
void changeEntryFive(CardProgram& p) {
    static std::uint8_t second = 0;
    TimingEntry changed = p.model->document().entry(5);
    changed.endSecond = second = std::uint8_t((second + 1) % 60);
    p.model->document().replace(5, changed);
}

void BM_SaveLargestWithHistory(benchmark::State& state) {
    CardProgram& p = cardProgram();
    p.window->selectDocument(0);
    Program::settle();
    PauseMeter meter;
    for (auto _ : state) {
        state.PauseTiming();
        changeEntryFive(p);
        state.ResumeTiming();
        meter.start();
        p.window->saveDocument({StepLabel::Kind::ChangeEntry, QStringLiteral("SCH01.DAT"), 5, {}});
        Program::settle();
        meter.stop();
    }
    state.counters["longest_pause_ms"] = meter.longestMs();
}

// The same Save of a typical schedule (three entries), which must stay instant.
void BM_SaveTypicalWithHistory(benchmark::State& state) {
    Program& p = program();
    p.window->selectDocument(1);
    Program::settle();
    std::uint8_t second = 0;
    for (auto _ : state) {
        state.PauseTiming();
        TimingEntry changed = p.model->document().entry(1);
        changed.endSecond = second = std::uint8_t((second + 1) % 60);
        p.model->document().replace(1, changed);
        state.ResumeTiming();
        p.window->saveDocument({StepLabel::Kind::ChangeEntry, QStringLiteral("SCH02.DAT"), 1, {}});
        Program::settle();
    }
}

// What the Save of the largest schedule is measured against: the same bytes written to a new file in the same folder,
// synced to the device and renamed into place, as plainly as the system allows.
void BM_RawWriteSameBytes(benchmark::State& state) {
    CardProgram& p = cardProgram();
    const QByteArray bytes = serializeTable(p.model->document().table());
    const QByteArray folder = QFile::encodeName(dataFolderPath(p.folder));
    const QByteArray target = folder + "RAW.DAT", temp = target + ".tmp";
    for (auto _ : state) {
        const int fd = ::open(temp.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        if (fd < 0 || ::write(fd, bytes.constData(), std::size_t(bytes.size())) != bytes.size())
            state.SkipWithError("write failed");
        ::fsync(fd);
        ::close(fd);
        ::rename(temp.constData(), target.constData());
        const int dir = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        ::fsync(dir);
        ::close(dir);
    }
}

// Undo of such a save, then its redo, through the window, until it takes input again.
void BM_UndoRedoSaveLargest(benchmark::State& state) {
    CardProgram& p = cardProgram();
    p.window->selectDocument(0);
    Program::settle();
    changeEntryFive(p);
    p.window->saveDocument({StepLabel::Kind::ChangeEntry, QStringLiteral("SCH01.DAT"), 5, {}});
    PauseMeter meter;
    for (auto _ : state) {
        meter.start();
        p.window->undo();
        Program::settle();
        p.window->redo();
        Program::settle();
        meter.stop();
    }
    state.counters["longest_pause_ms"] = meter.longestMs();
}

BENCHMARK(BM_ShowLargestSchedule)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SelectRowLargest)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RetranslateAll)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReportLargestFirstPage)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ReportLargestAllPages)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_ReportLargestPdf)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);
BENCHMARK(BM_ImportLargestSet)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(4);
BENCHMARK(BM_UndoRedoImportLargestSet)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_SaveLargestWithHistory)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(8);
BENCHMARK(BM_RawWriteSameBytes)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(8);
BENCHMARK(BM_SaveTypicalWithHistory)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);
BENCHMARK(BM_UndoRedoSaveLargest)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(4);

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
    cardSlot().reset();
    programSlot().reset();
    return 0;
}
