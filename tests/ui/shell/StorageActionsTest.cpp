#include "CardFolders.h"
#include "FakePrompts.h"
#include "UiHarness.h"
#include "WidgetProbe.h"

#include "core/texts/TextTable.h"
#include "ui/dialogs/TextListDialog.h"
#include "ui/shell/StorageActions.h"
#include "ui/shell/ToolBar.h"
#include "ui/shell/TransferRunner.h"
#include "ui/widgets/IconButton.h"

#include <QApplication>
#include <QClipboard>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace quorvan;
using namespace quorvan::test;

namespace {

class StorageActions : public CardFolders {
protected:
    void SetUp() override {
        CardFolders::SetUp();
        texts.loadEnglish();
    }

    TextTable texts;
    FakePrompts prompts;
    AcceptTransferPreviews acceptPreviews; // these tests are about the transfers themselves
};

} // namespace

TEST_F(StorageActions, ImportOfASingleFileCopiesItAndCompletesTheDataFolder) {
    // The card may hold the file under either spelling; the data folder always gets the canonical name.
    for (const QString& cardName : {QStringLiteral("SCH02.DAT"), QStringLiteral("sch02.dat")}) {
        SCOPED_TRACE(cardName.toStdString());
        QDir(data()).removeRecursively();
        QDir(card()).removeRecursively();
        ASSERT_TRUE(QDir().mkpath(data()));
        ASSERT_TRUE(QDir().mkpath(card()));
        prompts = FakePrompts();

        const QByteArray imported = patternBytes(2500 * 1024, 2); // more than one copy chunk
        writeFile(onCard(cardName), imported);
        writeFile(inData(QStringLiteral("SCH01.DAT")), "schedule one, kept");
        writeFile(inData(QStringLiteral("SDATE03.DAT")), patternBytes(4096, 3));
        writeFile(inData(QStringLiteral("SCH02.DAT")), "old schedule two, replaced");

        prompts.folders.push_back(card());
        EXPECT_EQ(importFromStorage(prompts, texts, data(), allNames()), 1);

        EXPECT_EQ(prompts.folderTitles, QStringList{texts.text(163)});
        ASSERT_EQ(prompts.messages.size(), 1u);
        EXPECT_EQ(prompts.messages[0].caption, texts.text(153));
        EXPECT_EQ(prompts.messages[0].text, texts.text(165));
        EXPECT_EQ(prompts.messages[0].icon, Prompts::Icon::None);

        EXPECT_EQ(readFile(inData(QStringLiteral("SCH02.DAT"))), imported);
        EXPECT_EQ(readFile(inData(QStringLiteral("SCH01.DAT"))), QByteArray("schedule one, kept"));
        EXPECT_EQ(readFile(inData(QStringLiteral("SDATE03.DAT"))), patternBytes(4096, 3));
        for (const QString& name : {QStringLiteral("SCH03.DAT"), QStringLiteral("SCH04.DAT"),
                                    QStringLiteral("REMOTE.DAT"), QStringLiteral("SDATE06.DAT")})
            EXPECT_EQ(sizeOf(inData(name)), 0) << name.toStdString();
        // Exactly the eleven files: no temporary file, no subfolder, no second spelling.
        EXPECT_EQ(entriesOf(data()), sorted(allNames()));
        // The card is only read.
        EXPECT_EQ(entriesOf(card()), QStringList{cardName});
        EXPECT_EQ(readFile(onCard(cardName)), imported);
    }
}

TEST_F(StorageActions, ImportFromAnEmptyFolderWarnsAndCancellingChangesNothing) {
    // Cancelled chooser: nothing asked beyond the folder, nothing created.
    EXPECT_EQ(importFromStorage(prompts, texts, data(), allNames()), 0);
    EXPECT_EQ(exportToStorage(prompts, texts, data(), allNames()), 0);
    EXPECT_EQ(prompts.folderTitles, (QStringList{texts.text(163), texts.text(164)}));
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_TRUE(entriesOf(data()).isEmpty());
    EXPECT_TRUE(entriesOf(card()).isEmpty());

    // An empty card: the warning, and the data folder keeps what it had and gains what it lacked.
    writeFile(inData(QStringLiteral("REMOTE.DAT")), "remote presets");
    prompts.folders.push_back(card());
    EXPECT_EQ(importFromStorage(prompts, texts, data(), allNames()), 1);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].caption, texts.text(154));
    EXPECT_EQ(prompts.messages[0].text, texts.text(160));
    EXPECT_EQ(prompts.messages[0].icon, Prompts::Icon::Stop);
    EXPECT_EQ(entriesOf(data()), sorted(allNames()));
    EXPECT_EQ(readFile(inData(QStringLiteral("REMOTE.DAT"))), QByteArray("remote presets"));
    EXPECT_EQ(sizeOf(inData(QStringLiteral("SCH01.DAT"))), 0);
    EXPECT_TRUE(entriesOf(card()).isEmpty());
}

TEST_F(StorageActions, ExportPutsAllElevenFilesDirectlyIntoTheChosenFolder) {
    for (int i = 0; i < allNames().size(); ++i) {
        const QString name = allNames()[i];
        if (name != QStringLiteral("SDATE04.DAT") && name != QStringLiteral("SDATE05.DAT"))
            writeFile(inData(name), patternBytes(1000 + i * 7, i));
    }
    writeFile(inData(QStringLiteral("SCH01.DAT")), patternBytes(1500 * 1024, 9));
    // The card already holds an older schedule (spelled differently) and its own SDATE04; it lacks SDATE05.
    writeFile(onCard(QStringLiteral("sch01.dat")), "older schedule");
    writeFile(onCard(QStringLiteral("SDATE04.DAT")), "card's own special dates");

    prompts.folders.push_back(card());
    EXPECT_EQ(exportToStorage(prompts, texts, data(), allNames()), 1);
    EXPECT_EQ(prompts.folderTitles, QStringList{texts.text(164)});
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].caption, texts.text(153));
    EXPECT_EQ(prompts.messages[0].text, texts.text(166));
    EXPECT_EQ(prompts.messages[0].icon, Prompts::Icon::None);

    EXPECT_EQ(entriesOf(card()), sorted(allNames()));
    for (const QString& name : allNames()) {
        if (name != QStringLiteral("SDATE04.DAT") && name != QStringLiteral("SDATE05.DAT")) {
            EXPECT_EQ(readFile(onCard(name)), readFile(inData(name))) << name.toStdString();
        }
    }
    EXPECT_EQ(readFile(onCard(QStringLiteral("SDATE04.DAT"))), QByteArray("card's own special dates"));
    EXPECT_TRUE(QFileInfo(onCard(QStringLiteral("SDATE05.DAT"))).isFile());
    EXPECT_EQ(sizeOf(onCard(QStringLiteral("SDATE05.DAT"))), 0);
    // The data folder is only read.
    EXPECT_EQ(entriesOf(data()).size(), 9);
}

TEST_F(StorageActions, ExportFailuresAreReportedWithTheFailedNames) {
    for (const QString& name : allNames())
        writeFile(inData(name), "small");

    // The chosen "folder" is a regular file: nothing can be written, every name is listed.
    writeFile(home.file(QStringLiteral("not-a-folder")), "x");
    prompts.folders.push_back(home.file(QStringLiteral("not-a-folder")));
    EXPECT_EQ(exportToStorage(prompts, texts, data(), allNames()), 1);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].caption, texts.text(154));
    EXPECT_EQ(prompts.messages[0].icon, Prompts::Icon::Stop);
    QStringList lines = prompts.messages[0].text.split(u'\n');
    ASSERT_EQ(lines.size(), 12) << prompts.messages[0].text.toStdString();
    EXPECT_EQ(lines[0], texts.text(159));
    for (int i = 0; i < 11; ++i)
        EXPECT_TRUE(lines[i + 1].startsWith(allNames()[i] + QStringLiteral(": "))) << lines[i + 1].toStdString();
    EXPECT_EQ(readFile(home.file(QStringLiteral("not-a-folder"))), QByteArray("x"));

    // A card that fills up: only the big schedule fails; the card's old copy survives, no temporary is left.
    const QByteArray big = patternBytes(256 * 1024, 5);
    writeFile(inData(QStringLiteral("SCH03.DAT")), big);
    writeFile(onCard(QStringLiteral("SCH03.DAT")), "previous export");
    prompts = FakePrompts();
    prompts.folders.push_back(card());
    {
        FileSizeLimit limit(64 * 1024);
        ASSERT_TRUE(limit.ok());
        EXPECT_EQ(exportToStorage(prompts, texts, data(), allNames()), 1);
    }
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].caption, texts.text(154));
    EXPECT_EQ(prompts.messages[0].icon, Prompts::Icon::Stop);
    lines = prompts.messages[0].text.split(u'\n');
    ASSERT_EQ(lines.size(), 2) << prompts.messages[0].text.toStdString();
    EXPECT_EQ(lines[0], texts.text(159));
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("SCH03.DAT: "))) << lines[1].toStdString();
    EXPECT_EQ(readFile(onCard(QStringLiteral("SCH03.DAT"))), QByteArray("previous export"));
    EXPECT_EQ(readFile(onCard(QStringLiteral("SCH04.DAT"))), QByteArray("small"));
    EXPECT_EQ(entriesOf(card()), sorted(allNames()));

    // The same card with room again: the outcome says everything is in place.
    const TransferReport retry = exportFiles(data(), card(), allNames());
    EXPECT_TRUE(retry.anyCopied());
    EXPECT_TRUE(retry.failed.isEmpty()) << retry.failureLines().join(u'\n').toStdString();
    EXPECT_EQ(readFile(onCard(QStringLiteral("SCH03.DAT"))), big);
}

TEST_F(StorageActions, ImportThatCouldNotWriteWarnsWithEachFileInsteadOfReportingSuccess) {
    writeFile(onCard(QStringLiteral("SCH02.DAT")), exampleFileBytes()); // 4904 bytes
    writeFile(onCard(QStringLiteral("SCH03.DAT")), patternBytes(9976, 3));
    writeFile(inData(QStringLiteral("SCH03.DAT")), "earlier schedule three");
    prompts.folders.push_back(card());
    {
        FileSizeLimit limit(8 * 1024);
        ASSERT_TRUE(limit.ok());
        EXPECT_EQ(importFromStorage(prompts, texts, data(), allNames()), 1);
    }
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].caption, texts.text(154));
    EXPECT_EQ(prompts.messages[0].icon, Prompts::Icon::Stop);
    QStringList lines = prompts.messages[0].text.split(u'\n');
    ASSERT_EQ(lines.size(), 2) << prompts.messages[0].text.toStdString();
    EXPECT_EQ(lines[0], texts.text(TextId::ImportIncomplete));
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("SCH03.DAT: "))) << lines[1].toStdString();
    EXPECT_EQ(readFile(inData(QStringLiteral("SCH03.DAT"))), QByteArray("earlier schedule three"));

    // A data folder that cannot take any file: every name is listed, and the card is not blamed (text 160).
    ASSERT_TRUE(QDir(data()).removeRecursively());
    writeFile(data(), "not a folder");
    prompts = FakePrompts();
    prompts.folders.push_back(card());
    EXPECT_EQ(importFromStorage(prompts, texts, data(), allNames()), 1);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].caption, texts.text(154));
    lines = prompts.messages[0].text.split(u'\n');
    ASSERT_EQ(lines.size(), 12) << prompts.messages[0].text.toStdString();
    EXPECT_EQ(lines[0], texts.text(TextId::ImportIncomplete));
    for (int i = 0; i < 11; ++i)
        EXPECT_TRUE(lines[i + 1].startsWith(allNames()[i] + QStringLiteral(": "))) << lines[i + 1].toStdString();
}

namespace {

// The largest schedule the controller takes: 256 entries of 255 songs each (40.8 MB); seed makes each distinct.
QByteArray largestSchedule(int seed) {
    auto table = makeTable();
    for (int i = 0; i < kMaxEntries; ++i) {
        TimingEntry e = exampleEntry();
        e.startHour = std::uint8_t((seed + i) % 24);
        e.endHour = e.startHour;
        e.playlist.clear();
        for (int j = 0; j < kMaxSongs; ++j)
            e.playlist << QStringLiteral("s%1-%2-%3.mp3").arg(seed).arg(i).arg(j);
        appendEntry(*table, e);
    }
    return serializeTable(*table);
}

} // namespace

TEST(TransferWindow, ExportOfTheLargestSchedulesShowsProgressKeepsTheClockAndCancelsCleanly) {
    const AcceptTransferPreviews acceptPreviews;
    UiHarness h;
    const QStringList schedules{QStringLiteral("SCH01.DAT"), QStringLiteral("SCH02.DAT"), QStringLiteral("SCH03.DAT"),
                                QStringLiteral("SCH04.DAT")};
    QDir().mkpath(h.home.file(QStringLiteral("zone_data")));
    QList<QByteArray> fresh;
    for (int i = 0; i < schedules.size(); ++i) {
        fresh << largestSchedule(i);
        writeFile(h.dataFile(schedules[i]), fresh.last());
    }
    ASSERT_EQ(fresh[0].size(), 40'783'880) << "the largest schedule";
    const QString card = h.home.file(QStringLiteral("card"));
    QDir().mkpath(card);
    QList<QByteArray> old;
    for (int i = 0; i < schedules.size(); ++i) {
        old << patternBytes(7000 + i, i);
        writeFile(card + u'/' + schedules[i], old.last());
    }
    MainWindow& w = h.start();
    h.texts.loadEnglish();
    h.context->cardBytesPerSecond = 50 * 1024 * 1024; // a fast card: all four take about three seconds
    int ticks = 0;
    h.context->clock = [&] {
        ++ticks;
        return h.now;
    };

    int ticksWhileShown = -1;
    int clicksTried = 0;
    QStringList labels;
    const Watcher watcher([&] {
        if (clicksTried == 0) {
            // The window takes no input during the transfer, before the dialog shows as well.
            ++clicksTried;
            QTest::mouseClick(w.toolBar().button(ToolBar::Import), Qt::LeftButton);
        }
        QProgressDialog* dialog = visibleProgressDialog();
        if (!dialog)
            return;
        if (ticksWhileShown < 0)
            ticksWhileShown = ticks;
        labels << dialog->labelText();
        if (ticks - ticksWhileShown >= 2) { // the window clock went on twice: enough, press Cancel
            auto* cancel = dialog->findChild<QPushButton*>();
            ASSERT_NE(cancel, nullptr);
            QTest::mouseClick(cancel, Qt::LeftButton);
        }
    });

    h.prompts.folders.push_back(card);
    w.toolBar().exportToCard();

    EXPECT_EQ(h.prompts.folderTitles, QStringList{h.texts.text(164)}) << "the Import click was not taken";
    ASSERT_GE(ticksWhileShown, 0) << "the progress dialog showed";
    EXPECT_GE(ticks - ticksWhileShown, 2) << "the clock ticked while the files were copied";
    ASSERT_FALSE(labels.isEmpty());
    EXPECT_TRUE(labels.first().startsWith(QStringLiteral("Copying SCH0"))) << labels.first().toStdString();
    EXPECT_TRUE(labels.last().contains(QStringLiteral(" of 163.1 MB ("))) << labels.last().toStdString();

    ASSERT_EQ(h.prompts.messages.size(), 1u);
    const FakePrompts::Message& told = h.prompts.messages[0];
    EXPECT_EQ(told.icon, Prompts::Icon::Warning);
    EXPECT_TRUE(told.text.startsWith(h.texts.text(TextId::TransferCancelled))) << told.text.toStdString();
    EXPECT_TRUE(told.text.contains(QStringLiteral("Not transferred: "))) << told.text.toStdString();
    EXPECT_TRUE(told.text.contains(QStringLiteral("SDATE06.DAT"))) << "the files after the cancelled one";

    // Every card file is the old one or the new one, whole; nothing else is there.
    int arrived = 0;
    for (int i = 0; i < schedules.size(); ++i) {
        const QByteArray onCard = readFile(card + u'/' + schedules[i]);
        EXPECT_TRUE(onCard == old[i] || onCard == fresh[i]) << schedules[i].toStdString();
        arrived += onCard == fresh[i];
    }
    EXPECT_LT(arrived, 4);
    EXPECT_EQ(entriesOf(card), sorted(schedules));
    EXPECT_TRUE(told.text.contains(QStringLiteral("Not transferred: ") + schedules[arrived]))
        << told.text.toStdString();
}

TEST(TransferWindow, AShortExportShowsNoDialogAndTellsOfSongsMissingFromTheCard) {
    const AcceptTransferPreviews acceptPreviews;
    UiHarness h;
    h.writeSchedule(QStringLiteral("SCH02.DAT"), 3); // each entry plays "a.mp3" from the card
    const QString card = h.home.file(QStringLiteral("card"));
    QDir().mkpath(card);
    MainWindow& w = h.start();
    h.texts.loadEnglish();
    bool dialogSeen = false;
    const Watcher watcher([&] { dialogSeen = dialogSeen || visibleProgressDialog(); });

    h.prompts.folders.push_back(card);
    w.toolBar().exportToCard();
    EXPECT_FALSE(dialogSeen);
    ASSERT_EQ(h.prompts.messages.size(), 1u);
    const FakePrompts::Message& told = h.prompts.messages[0];
    EXPECT_EQ(told.caption, h.texts.text(153));
    EXPECT_EQ(told.icon, Prompts::Icon::Warning);
    const QString schedule2 = documentList(h.texts)[1].caption;
    EXPECT_EQ(told.text, h.texts.text(166) + QStringLiteral("\n\n") + h.texts.text(TextId::MissingSongs) +
                             QStringLiteral("\na.mp3 — ") + schedule2 + QStringLiteral(": 1, 2, 3"));

    // With the song on the card (in other letters) the export simply succeeds.
    writeFile(card + QStringLiteral("/A.MP3"), "ID3");
    h.prompts.folders.push_back(card);
    w.toolBar().exportToCard();
    ASSERT_EQ(h.prompts.messages.size(), 2u);
    EXPECT_EQ(h.prompts.messages[1].text, h.texts.text(166));
    EXPECT_EQ(h.prompts.messages[1].icon, Prompts::Icon::None);
}

TEST(TransferWindow, CancelledImportSaysWhatArrivedAndKeepsEveryDataFileWhole) {
    const AcceptTransferPreviews acceptPreviews;
    TempHome home;
    TextTable texts;
    texts.loadChinese();
    const QString data = home.file(QStringLiteral("data"));
    const QString card = home.file(QStringLiteral("card"));
    QDir().mkpath(data);
    QDir().mkpath(card);
    for (int i = 0; i < 4; ++i) {
        writeFile(card + QStringLiteral("/SCH0%1.DAT").arg(i + 1), patternBytes(2 * 1024 * 1024, i));
        writeFile(data + QStringLiteral("/SCH0%1.DAT").arg(i + 1), patternBytes(100, i));
    }
    TransferRunner runner(texts);
    runner.setBytesPerSecond(8 * 1024 * 1024);
    runner.setDialogDelay(0);
    QString label;
    const Watcher watcher([&] {
        QProgressDialog* dialog = visibleProgressDialog();
        if (dialog && dialog->labelText().contains(QStringLiteral("SCH02.DAT"))) {
            label = dialog->labelText();
            dialog->cancel(); // as Escape does, without the button's signal
        }
    });
    FakePrompts prompts;
    prompts.folders.push_back(card);
    EXPECT_EQ(importFromStorage(prompts, texts, data, allNames(), nullptr, nullptr, &runner), 1);
    EXPECT_TRUE(label.startsWith(QStringLiteral("正在复制 SCH02.DAT — 已完成 "))) << label.toStdString();
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text,
              texts.text(TextId::TransferCancelled) + u'\n' +
                  texts.text(TextId::Transferred).arg(QStringLiteral("SCH01.DAT")) + u'\n' +
                  texts.text(TextId::NotTransferred).arg(allNames().mid(1).join(QStringLiteral(", "))));
    EXPECT_EQ(readFile(data + QStringLiteral("/SCH01.DAT")), patternBytes(2 * 1024 * 1024, 0));
    for (int i = 1; i < 4; ++i)
        EXPECT_EQ(readFile(data + QStringLiteral("/SCH0%1.DAT").arg(i + 1)), patternBytes(100, i));
    EXPECT_EQ(entriesOf(data).size(), 4) << "no temporary file left";
}

// With bytes to count the dialog counts them; with none (empty or refused files) it counts files, so that it never
// reads "0.0 of 0.0 MB (100%)" with its bar at nothing.
TEST(TransferWindow, ProgressCountsFilesWhenThereAreNoBytes) {
    const AcceptTransferPreviews acceptPreviews;
    TextTable texts;
    texts.loadEnglish();
    TransferProgress bytes;
    bytes.name = QStringLiteral("SCH02.DAT");
    bytes.done = 1'500'000;
    bytes.total = 3'000'000;
    bytes.filesDone = 1;
    bytes.filesTotal = 11;
    EXPECT_EQ(TransferRunner::progressText(texts, bytes), QStringLiteral("Copying SCH02.DAT — 1.5 of 3.0 MB (50%)"));
    EXPECT_EQ(TransferRunner::progressPermille(bytes), 500);
    TransferProgress none = bytes;
    none.done = none.total = 0;
    EXPECT_EQ(TransferRunner::progressText(texts, none), QStringLiteral("Copying SCH02.DAT — file 2 of 11"));
    EXPECT_EQ(TransferRunner::progressPermille(none), 1000 / 11);
    // After the copies, while the card's songs are checked, the dialog says that instead of the last file.
    TransferProgress checking = bytes;
    checking.checkingSongs = true;
    EXPECT_EQ(TransferRunner::progressText(texts, checking), texts.text(TextId::CheckingCardSongs));
    EXPECT_EQ(TransferRunner::progressPermille(checking), 1000);
    TransferProgress keeping;
    keeping.keepingVersions = true;
    EXPECT_EQ(TransferRunner::progressText(texts, keeping), texts.text(TextId::KeepingVersions));
}

// More missing songs than a message holds: the message offers the whole list, which opens in a window that copies
// and saves every line.
TEST(TransferWindow, AllMissingSongsCanBeSeenCopiedAndSaved) {
    const AcceptTransferPreviews acceptPreviews;
    UiHarness h;
    h.writeConfig("[LanguageSelect]\nID=1\n");
    auto table = makeTable();
    TimingEntry e = exampleEntry();
    e.playlist.clear();
    for (int j = 0; j < 25; ++j)
        e.playlist << QStringLiteral("song%1.mp3").arg(j, 2, 10, QLatin1Char('0'));
    appendEntry(*table, e);
    QDir().mkpath(h.home.file(QStringLiteral("zone_data")));
    ASSERT_TRUE(saveTableFile(h.dataFile(QStringLiteral("SCH01.DAT")), *table).ok);
    const QString card = h.home.file(QStringLiteral("card"));
    QDir().mkpath(card);
    MainWindow& w = h.start();
    h.prompts.folders.push_back(card);
    h.prompts.answers = {1}; // OK: no window
    w.toolBar().exportToCard();
    ASSERT_EQ(h.prompts.questions.size(), 1u);
    EXPECT_EQ(h.prompts.questions[0].buttons.value(0), QStringLiteral("Show the whole list..."));
    EXPECT_TRUE(h.prompts.questions[0].text.contains(QStringLiteral("… and 5 more")));

    QStringList lines;
    for (int j = 0; j < 25; ++j)
        lines << QStringLiteral("song%1.mp3 — Schedule1: 1").arg(j, 2, 10, QLatin1Char('0'));
    TextListDialog list(h.texts, h.prompts, h.texts.text(TextId::MissingSongs), lines, &w);
    EXPECT_EQ(list.text()->toPlainText().split(u'\n').size(), 25);
    list.copyAll();
    EXPECT_TRUE(QApplication::clipboard()->text().contains(QStringLiteral("song24.mp3 — Schedule1: 1")));
    h.prompts.saveFiles.push_back(h.home.file(QStringLiteral("missing.txt")));
    ASSERT_TRUE(list.saveAs());
    const QString saved = QString::fromUtf8(readFile(h.home.file(QStringLiteral("missing.txt"))));
    EXPECT_TRUE(saved.startsWith(h.texts.text(TextId::MissingSongs) + u'\n'));
    EXPECT_EQ(saved.count(u'\n'), 26);
    // A file that cannot be written is said, not passed over.
    h.prompts.saveFiles.push_back(h.home.file(QStringLiteral("missing.txt/inside.txt")));
    EXPECT_FALSE(list.saveAs());
    EXPECT_EQ(h.prompts.messages.back().icon, Prompts::Icon::Stop);
}

TEST(TransferWindow, UndoAndRedoOfAnImportOfTheLargestSchedulesLeaveTheWindowPainting) {
    const AcceptTransferPreviews acceptPreviews;
    UiHarness h;
    const QStringList schedules{QStringLiteral("SCH01.DAT"), QStringLiteral("SCH02.DAT"), QStringLiteral("SCH03.DAT"),
                                QStringLiteral("SCH04.DAT")};
    QDir().mkpath(h.home.file(QStringLiteral("zone_data")));
    const QString card = h.home.file(QStringLiteral("card"));
    QDir().mkpath(card);
    QList<QByteArray> before, imported;
    for (int i = 0; i < schedules.size(); ++i) {
        before << largestSchedule(i);
        imported << largestSchedule(20 + i);
        writeFile(h.dataFile(schedules[i]), before.last());
        writeFile(card + u'/' + schedules[i], imported.last());
    }
    MainWindow& w = h.start();
    h.texts.loadEnglish();
    h.prompts.folders.push_back(card);
    w.toolBar().importFromCard();
    ASSERT_EQ(readFile(h.dataFile(schedules[3])), imported[3]);

    // While the files are put back the window's event loop runs (a watcher every 20 ms), takes no click, and any
    // dialog says which step it is doing, with no Cancel that would leave the set half undone.
    int turns = 0;
    QStringList labels;
    bool cancellable = false;
    const Watcher watcher([&] {
        ++turns;
        if (QProgressDialog* dialog = visibleProgressDialog()) {
            labels << dialog->labelText();
            cancellable = cancellable || dialog->findChild<QPushButton*>();
        }
    });
    QTest::qWait(0);
    turns = 0;
    w.undo();
    EXPECT_GE(turns, 2) << "the window went on while four 41 MB files were put back";
    for (int i = 0; i < schedules.size(); ++i)
        EXPECT_EQ(readFile(h.dataFile(schedules[i])), before[i]) << schedules[i].toStdString();
    turns = 0;
    w.redo();
    EXPECT_GE(turns, 2);
    for (int i = 0; i < schedules.size(); ++i)
        EXPECT_EQ(readFile(h.dataFile(schedules[i])), imported[i]) << schedules[i].toStdString();
    for (const QString& label : labels)
        EXPECT_TRUE(label == QStringLiteral("Undoing: import from the card…") ||
                    label == QStringLiteral("Redoing: import from the card…"))
            << label.toStdString();
    EXPECT_FALSE(cancellable);
    EXPECT_TRUE(h.prompts.messages.size() == 1u) << "only the import's own message";
}
