#include "UiHarness.h"
#include "WidgetProbe.h"

#include "core/files/ScheduleFile.h"
#include "ui/dialogs/TextListDialog.h"
#include "ui/history/UndoHistory.h"
#include "ui/schedule/CsvImportDialog.h"
#include "ui/schedule/TimingListPage.h"
#include "ui/shell/NavigationTree.h"

#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace quorvan;
using namespace quorvan::test;

namespace {

QAction* menuAction(MainWindow& w, int document, const QString& text) {
    static QMenu menu;
    menu.clear();
    w.tree().fillDocumentMenu(menu, document);
    for (QAction* a : menu.actions())
        if (a->text() == text)
            return a;
    ADD_FAILURE() << text.toStdString();
    return nullptr;
}

} // namespace

// The operator's round: export a schedule, edit it (a time moved, a row added), import it back over the schedule
// through the preview; one undo step puts the file back.
TEST(CsvEntries, ExportEditAndImportBackAsOneUndoableStep) {
    UiHarness h;
    h.writeConfig("[LanguageSelect]\nID=1\n");
    h.writeSchedule(QStringLiteral("SCH02.DAT"), 3);
    MainWindow& w = h.start();
    const QByteArray before = readFile(h.dataFile(QStringLiteral("SCH02.DAT")));
    const QString csv = h.home.file(QStringLiteral("schedule2.csv"));

    h.prompts.saveFiles.push_back(csv);
    menuAction(w, 1, QStringLiteral("Export entries..."))->trigger();
    ASSERT_EQ(h.prompts.messages.size(), 1u);
    EXPECT_EQ(h.prompts.messages[0].text, QStringLiteral("3 entries written to %1").arg(csv));
    QByteArray text = readFile(csv);
    ASSERT_TRUE(text.contains(",09:00:00,")) << text.toStdString();
    text.replace(",09:00:00,", ",09:05:00,");
    text += "4,Sat,10:00,10:01,1-3,,,LocalMP3,,,,,,,,extra.mp3,\r\n";
    writeFile(csv, text);

    QString line;
    int rows = -1;
    const Watcher replace([&] {
        if (auto* dialog = activeDialog<CsvImportDialog>(); dialog && rows < 0) {
            line = dialog->previewLine()->text();
            rows = dialog->preview()->rowCount();
            QTest::mouseClick(dialog->replaceButton(), Qt::LeftButton);
        }
    });
    h.prompts.openFiles.push_back(csv);
    menuAction(w, 1, QStringLiteral("Import entries..."))->trigger();
    EXPECT_EQ(rows, 4);
    EXPECT_TRUE(line.startsWith(QStringLiteral("4 entries read from schedule2.csv"))) << line.toStdString();
    EXPECT_EQ(h.model->currentIndex(), 1) << "the schedule imported into is shown";
    ScheduleTable table;
    loadTableFile(h.dataFile(QStringLiteral("SCH02.DAT")), table);
    ASSERT_EQ(table.count(), 4);
    EXPECT_EQ(table.entries[1].startMinute, 5);
    EXPECT_EQ(table.entries[3].playlist, QStringList{QStringLiteral("extra.mp3")});
    EXPECT_EQ(w.timingPage().list()->rowCount(), 4);
    EXPECT_EQ(w.history().undoText(), QStringLiteral("import 4 entries into Schedule2"));
    w.undo();
    EXPECT_EQ(readFile(h.dataFile(QStringLiteral("SCH02.DAT"))), before);
}

// A file with problems: every one listed at once (here in Chinese), nothing written, no step.
TEST(CsvEntries, AFileWithProblemsListsThemAllAndWritesNothing) {
    UiHarness h;
    h.writeConfig("[LanguageSelect]\nID=0\n");
    h.writeSchedule(QStringLiteral("SCH01.DAT"), 2);
    MainWindow& w = h.start();
    const QByteArray before = readFile(h.dataFile(QStringLiteral("SCH01.DAT")));
    const QString csv = h.home.file(QStringLiteral("bad.csv"));
    writeFile(csv, "Days,Start,End,Zones,Sources\r\nMon,25:00,08:00,1,LocalMP3\r\nFunday,08:00,08:00,1,LocalMP3\r\n");

    QStringList lines;
    const Watcher look([&] {
        if (auto* dialog = activeDialog<TextListDialog>(); dialog && lines.isEmpty()) {
            lines = dialog->text()->toPlainText().split(u'\n');
            dialog->reject();
        }
    });
    h.prompts.openFiles.push_back(csv);
    QMenu* menu = w.timingPage().rowMenu();
    QAction* import = menu->findChild<QAction*>(QStringLiteral("importEntriesAction"));
    ASSERT_NE(import, nullptr);
    import->trigger();
    delete menu;
    EXPECT_EQ(lines, (QStringList{QStringLiteral("第 2 行，Start：“25:00”不是时间"),
                                  QStringLiteral("第 3 行，Days：“Funday”不是星期（Sun Mon Tue Wed Thu Fri Sat）")}));
    EXPECT_EQ(readFile(h.dataFile(QStringLiteral("SCH01.DAT"))), before);
    EXPECT_FALSE(w.history().canUndo());
}
