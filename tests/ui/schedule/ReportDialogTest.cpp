// The schedule report through the real dialog: preview, PDF with Chinese text, CSV bytes, and write failures.
#include "UiHarness.h"
#include "WidgetProbe.h"

#include "core/files/ScheduleFile.h"
#include "ui/schedule/ReportDialog.h"
#include "ui/schedule/TimingListPage.h"

#include <QApplication>
#include <QLabel>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace quorvan;
using namespace quorvan::test;

namespace {

// The text of a PDF file as a reader extracts it; page 0 is every page, pages apart by form feeds.
QString pdfText(const QString& path, int page = 0) {
    QProcess p;
    QStringList arguments{QStringLiteral("-layout"), path, QStringLiteral("-")};
    if (page > 0)
        arguments =
            QStringList{QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"), QString::number(page)} +
            arguments;
    p.start(QStringLiteral("pdftotext"), arguments);
    EXPECT_TRUE(p.waitForFinished(30000));
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

// Writes the table as the file of document (0 for Schedule1) and starts the program showing it.
MainWindow& startShowing(UiHarness& h, int document, const ScheduleTable& table) {
    QDir().mkpath(h.home.file(QStringLiteral("zone_data")));
    EXPECT_TRUE(saveTableFile(h.dataFile(QStringLiteral("SCH0%1.DAT").arg(document + 1)), table).ok);
    MainWindow& w = h.start();
    w.selectDocument(document);
    return w;
}

// Forty entries in Schedule2, one every 15 minutes from 07:00, each ringing a song from the card in zone 1;
// entry 40 plays FM instead. Chinese texts and a named zone.
MainWindow& startWithFortyEntries(UiHarness& h) {
    h.writeConfig("[LanguageSelect]\nID=2\n");
    writeFile(h.home.file(QStringLiteral("Config_name.ini")), "[ZoneUnit0]\nname=礼堂\n");
    auto table = makeTable();
    for (int i = 0; i < 40; ++i) {
        TimingEntry e = exampleEntry();
        const int minute = 7 * 60 + i * 15;
        e.startHour = e.endHour = std::uint8_t(minute / 60);
        e.startMinute = e.endMinute = std::uint8_t(minute % 60);
        e.endSecond = 30;
        e.playlist[0] = QStringLiteral("上课铃%1.mp3").arg(i + 1);
        if (i == 39) {
            e.sourceMask = source::kHostFm;
            e.fmFrequency = 9550;
        }
        appendEntry(*table, e);
    }
    return startShowing(h, 1, *table);
}

// Clicks the page's Report button and runs steps on the dialog it opens, then closes it.
void withReport(TimingListPage& page, const std::function<void(ReportDialog&)>& steps) {
    bool ran = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<ReportDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        ran = true;
        steps(*dialog);
        dialog->accept();
    });
    QTest::mouseClick(page.reportButton(), Qt::LeftButton);
    EXPECT_TRUE(ran);
}

} // namespace

TEST(ReportDialog, FortyEntriesInChineseToPdfAndCsv) {
    UiHarness h;
    MainWindow& w = startWithFortyEntries(h);
    TimingListPage& page = w.timingPage();
    ASSERT_EQ(page.reportButton()->text(), QStringLiteral("报表..."));
    const QString pdf = h.home.file(QStringLiteral("报表.pdf"));
    const QString csv = h.home.file(QStringLiteral("report.csv"));

    withReport(page, [&](ReportDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), h.texts.text(TextId::ReportTitle).arg(h.model->current().caption));
        ASSERT_EQ(dialog.report().rows.size(), 40u);
        for (int turn = 0; !dialog.pages().done() && turn < 3000; ++turn)
            QTest::qWait(10);
        ASSERT_TRUE(dialog.pages().done());
        EXPECT_GE(dialog.pages().pageCount(), 2) << "forty rows take more than one page";
        EXPECT_EQ(dialog.pageLine()->text(), QStringLiteral("共 %1 页").arg(dialog.pages().pageCount()));

        h.prompts.saveFiles.push_back(pdf);
        QTest::mouseClick(dialog.pdfButton(), Qt::LeftButton);
        h.prompts.saveFiles.push_back(csv);
        QTest::mouseClick(dialog.csvButton(), Qt::LeftButton);
        EXPECT_EQ(readFile(csv), reportCsv(dialog.report()));
    });
    EXPECT_TRUE(h.prompts.messages.empty());
    EXPECT_EQ(h.prompts.saveFileFilters,
              (QStringList{QStringLiteral("PDF文件 (*.pdf)"), QStringLiteral("CSV文件 (*.csv)")}));
    ASSERT_EQ(h.prompts.suggestedPaths.size(), 2);
    EXPECT_TRUE(h.prompts.suggestedPaths[0].endsWith(QStringLiteral(" — 报表.pdf")))
        << h.prompts.suggestedPaths[0].toStdString();

    // The PDF holds the Chinese headings, the zone's own name, the songs and the FM frequency as text.
    ASSERT_TRUE(readFile(pdf).startsWith("%PDF-"));
    EXPECT_TRUE(readFile(pdf).contains("/FontFile")) << "the font is embedded";
    const QString text = pdfText(pdf);
    for (const QString& expected :
         {QStringLiteral("序号"), QStringLiteral("开始时间"), QStringLiteral("歌曲"), QStringLiteral("礼堂"),
          QStringLiteral("上课铃1.mp3"), QStringLiteral("上课铃39.mp3"), QStringLiteral("95.5MHz"),
          QStringLiteral("16:45:00")})
        EXPECT_TRUE(text.contains(expected)) << expected.toStdString() << " in\n" << text.left(600).toStdString();

    // The CSV, as a spreadsheet reads it: a byte-order mark, a heading row and one row per entry.
    const QByteArray bytes = readFile(csv);
    ASSERT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
    const QList<QByteArray> rows = bytes.mid(3).split('\n');
    ASSERT_EQ(rows.size(), 42); // the last line ends with CR LF too
    EXPECT_EQ(rows[0], QStringLiteral("序号,星期,开始时间,结束时间,节目设定,分区选择,电源,调频频率,歌曲\r").toUtf8());
    EXPECT_TRUE(rows[1].startsWith(QStringLiteral("1,\"一,二,三,四,五\",07:00:00,07:00:30,主机MP3,礼堂,").toUtf8()));
    EXPECT_TRUE(rows[1].endsWith(QStringLiteral(",,SD卡: 上课铃1.mp3\r").toUtf8())) << rows[1].toStdString();
}

TEST(ReportDialog, PrintsToThePrinterChosenAndSaysWhenAFileCannotBeWritten) {
    UiHarness h;
    MainWindow& w = startWithFortyEntries(h);
    TimingListPage& page = w.timingPage();
    writeFile(h.home.file(QStringLiteral("plain")), "a file, not a folder");

    withReport(page, [&](ReportDialog& dialog) {
        // Cancelled choices write nothing and say nothing.
        QTest::mouseClick(dialog.printButton(), Qt::LeftButton);
        QTest::mouseClick(dialog.pdfButton(), Qt::LeftButton);
        QTest::mouseClick(dialog.csvButton(), Qt::LeftButton);
        EXPECT_TRUE(h.prompts.messages.empty());

        h.prompts.printTo = h.home.file(QStringLiteral("printed.pdf"));
        QTest::mouseClick(dialog.printButton(), Qt::LeftButton);

        h.prompts.saveFiles.push_back(h.home.file(QStringLiteral("plain/report.csv")));
        EXPECT_FALSE(dialog.saveAsCsv());
    });
    ASSERT_EQ(h.prompts.printerTitles.size(), 2);
    EXPECT_TRUE(pdfText(h.home.file(QStringLiteral("printed.pdf"))).contains(QStringLiteral("上课铃39.mp3")));
    ASSERT_EQ(h.prompts.messages.size(), 1u);
    EXPECT_EQ(h.prompts.messages[0].icon, Prompts::Icon::Stop);
    EXPECT_TRUE(h.prompts.messages[0].text.startsWith(h.texts.text(TextId::ReportNotSaved) + u'\n'))
        << h.prompts.messages[0].text.toStdString();
    EXPECT_TRUE(readFile(h.home.file(QStringLiteral("plain"))) == "a file, not a folder");
}

namespace {

// Schedule2 in English with three entries at 07:00, 08:00 and 09:00; the second plays `songs` songs.
MainWindow& startWithALongSecondEntry(UiHarness& h, int songs) {
    h.writeConfig("[LanguageSelect]\nID=1\n");
    auto table = makeTable();
    for (int i = 0; i < 3; ++i) {
        TimingEntry e = exampleEntry();
        e.startHour = e.endHour = std::uint8_t(7 + i);
        e.endMinute = 5;
        const int count = i == 1 ? songs : 1;
        e.playlist.clear();
        for (int j = 0; j < count; ++j)
            e.playlist << QStringLiteral("bell-%1-%2.mp3").arg(i + 1).arg(j + 1, 3, 10, QChar(u'0'));
        appendEntry(*table, e);
    }
    return startShowing(h, 1, *table);
}

// The largest schedule: 256 entries of 255 songs, in Schedule1.
MainWindow& startWithTheLargestSchedule(UiHarness& h) {
    h.writeConfig("[LanguageSelect]\nID=1\n");
    auto table = makeTable();
    for (int i = 0; i < kMaxEntries; ++i) {
        TimingEntry e = exampleEntry();
        e.startHour = e.endHour = std::uint8_t(i % 24);
        e.playlist.clear();
        for (int j = 0; j < kMaxSongs; ++j)
            e.playlist << QStringLiteral("s%1-%2.mp3").arg(i).arg(j);
        appendEntry(*table, e);
    }
    return startShowing(h, 0, *table);
}

} // namespace

TEST(ReportDialog, ARowLongerThanAPageGoesOnWithItsNumberAndNoSongIsLostOrRepeatedAtTheCuts) {
    UiHarness h;
    MainWindow& w = startWithALongSecondEntry(h, kMaxSongs);
    const QString pdf = h.home.file(QStringLiteral("long.pdf"));
    int pages = 0;
    withReport(w.timingPage(), [&](ReportDialog& dialog) {
        const ReportPages& laid = dialog.pages();
        for (int turn = 0; !laid.done() && turn < 3000; ++turn)
            QTest::qWait(10);
        ASSERT_TRUE(laid.done());
        pages = laid.pageCount();
        ASSERT_GE(pages, 3) << "255 songs in one cell take more than a page";
        // Entry 1 and the start of entry 2 on the first page, entry 2 alone on the pages between, its end and
        // entry 3 on the last.
        EXPECT_EQ(laid.rowsOnPage(0), (std::vector<int>{0, 1}));
        for (int page = 1; page + 1 < pages; ++page)
            EXPECT_EQ(laid.rowsOnPage(page), std::vector<int>{1}) << page;
        EXPECT_EQ(laid.rowsOnPage(pages - 1), (std::vector<int>{1, 2}));
        h.prompts.saveFiles.push_back(pdf);
        EXPECT_TRUE(dialog.saveAsPdf());
    });

    QString all;
    for (int page = 1; page <= pages; ++page) {
        SCOPED_TRACE(page);
        const QString text = pdfText(pdf, page);
        all += text;
        EXPECT_TRUE(text.contains(QStringLiteral("Start time"))) << "the heading row on every page";
        EXPECT_TRUE(text.contains(QStringLiteral("Page %1 of %2").arg(page).arg(pages)))
            << text.right(300).toStdString();
        if (page > 1) { // the first row under the headings is entry 2 again, its number first
            EXPECT_TRUE(QRegularExpression(QStringLiteral("\\n\\s*2\\s+bell-2-")).match(text).hasMatch())
                << text.left(400).toStdString();
        }
    }
    EXPECT_EQ(pdfText(pdf).count(u'\f'), pages) << "no page more than the preview";
    for (int j = 1; j <= kMaxSongs; ++j) {
        const QString song = QStringLiteral("bell-2-%1.mp3").arg(j, 3, 10, QChar(u'0'));
        EXPECT_EQ(all.count(song), 1) << song.toStdString();
    }
    EXPECT_EQ(all.count(QStringLiteral("bell-3-001.mp3")), 1);
}

TEST(ReportDialog, TheLargestScheduleShowsAtOnceLaysOutWhileTheWindowGoesOnAndItsPdfCanBeCancelled) {
    UiHarness h;
    MainWindow& w = startWithTheLargestSchedule(h);
    const QString pdf = h.home.file(QStringLiteral("full.pdf"));
    withReport(w.timingPage(), [&](ReportDialog& dialog) {
        EXPECT_FALSE(dialog.pages().done()) << "the rest is laid out after the dialog shows";
        EXPECT_GE(dialog.pages().pageCount(), 1);
        EXPECT_TRUE(dialog.pageLine()->text().startsWith(QStringLiteral("Laying out the pages… ")));
        for (int turn = 0; !dialog.pages().done() && turn < 3000; ++turn)
            QTest::qWait(10);
        ASSERT_TRUE(dialog.pages().done());
        EXPECT_EQ(dialog.pageLine()->text(), QStringLiteral("%1 pages").arg(dialog.pages().pageCount()));

        // Cancel while the pages are painted: no file, no message.
        QString label;
        const Watcher watcher([&] {
            QProgressDialog* progress = visibleProgressDialog();
            if (progress && progress->labelText().startsWith(QStringLiteral("Printing page "))) {
                label = progress->labelText();
                progress->cancel();
            }
        });
        h.prompts.saveFiles.push_back(pdf);
        EXPECT_FALSE(dialog.saveAsPdf());
        EXPECT_TRUE(label.endsWith(QStringLiteral(" of %1…").arg(dialog.pages().pageCount()))) << label.toStdString();
    });
    EXPECT_FALSE(QFileInfo::exists(pdf));
    EXPECT_TRUE(h.prompts.messages.empty());
}
