// Clash marks on the timing list and the week view of a schedule, through the real windows.
#include "UiHarness.h"

#include "core/files/ScheduleFile.h"
#include "ui/schedule/EntryEditor.h"
#include "ui/schedule/TimingListPage.h"
#include "ui/schedule/WeekView.h"

#include <QCheckBox>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QTableWidget>
#include <QProcess>
#include <QTest>
#include <QTimeEdit>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace quorvan;
using namespace quorvan::test;

namespace {

// A school day, Monday to Friday: a 5-second bell every 45 minutes from 08:00 in every zone, an assembly
// announcement at 08:00 for a minute in zone 1 (which clashes with the first bell), and two more announcements.
void writeSchoolDay(const UiHarness& h) {
    auto table = makeTable();
    for (int i = 0; i < 8; ++i) {
        TimingEntry bell = exampleEntry();
        const int start = 8 * 3600 + i * 45 * 60;
        bell.startHour = std::uint8_t(start / 3600);
        bell.startMinute = std::uint8_t(start / 60 % 60);
        bell.endHour = bell.startHour;
        bell.endMinute = bell.startMinute;
        bell.endSecond = 5;
        bell.zoneMask[0] = 0xFF;
        appendEntry(*table, bell);
    }
    TimingEntry assembly = exampleEntry(); // 08:00-08:30 in zone 1: overlaps the first bell
    assembly.sourceMask = source::kRemoteMic;
    appendEntry(*table, assembly);
    TimingEntry lunch = exampleEntry();
    lunch.startHour = 12;
    lunch.endHour = 12;
    lunch.endMinute = 20;
    lunch.sourceMask = source::kHostFm;
    lunch.fmFrequency = 9550;
    lunch.zoneMask[0] = 0x2;
    appendEntry(*table, lunch);
    QDir().mkpath(h.home.file(QStringLiteral("zone_data")));
    EXPECT_TRUE(saveTableFile(h.dataFile(QStringLiteral("SCH01.DAT")), *table).ok);
}

// Starts the main window on the school day in the language given by its INI section.
MainWindow& startOnSchoolDay(UiHarness& h, const char* languageIni) {
    h.writeConfig(languageIni);
    writeSchoolDay(h);
    return h.start();
}

} // namespace

TEST(ClashMarks, EntriesThatClashAreMarkedCountedAndFollowEveryChange) {
    UiHarness h;
    MainWindow& w = startOnSchoolDay(h, "[LanguageSelect]\nID=1\n");
    TimingListPage& page = w.timingPage();
    QTableWidget* list = page.list();
    ASSERT_EQ(list->rowCount(), 10);
    EXPECT_EQ(page.clashes().size(), 1u);
    EXPECT_FALSE(list->item(0, 0)->icon().isNull()) << "the first bell clashes";
    EXPECT_FALSE(list->item(8, 0)->icon().isNull()) << "and so does the assembly";
    EXPECT_TRUE(list->item(1, 0)->icon().isNull());
    EXPECT_EQ(list->item(8, 0)->toolTip(),
              QStringLiteral("Clashes with entry 1 on Mon,Tues,Wed,Thur,Fri, 08:00:00-08:00:05, in LocalZone1"));
    EXPECT_EQ(page.clashLine()->text(), QStringLiteral("1 clash in this schedule"));

    // Saving an entry into a clash is allowed; the line names the new clash.
    list->selectRow(9);
    page.editor().startTime()->setTime(QTime(8, 45, 0));
    page.editor().endTime()->setTime(QTime(8, 50, 0));
    QTest::mouseClick(page.editor().button(EntryEditor::SaveButton), Qt::LeftButton);
    EXPECT_EQ(page.clashes().size(), 2u);
    EXPECT_EQ(page.clashLine()->text(),
              QStringLiteral("Entry 10 now clashes with entry 2.  2 clashes in this schedule"));
    EXPECT_FALSE(list->item(9, 0)->icon().isNull());

    // Deleting the first bell takes its clash away; the marks move with the rows.
    list->selectRow(0);
    QTest::mouseClick(page.editor().button(EntryEditor::DeleteButton), Qt::LeftButton);
    EXPECT_EQ(page.clashes().size(), 1u);
    EXPECT_TRUE(list->item(7, 0)->icon().isNull()) << "the assembly (now row 8) clashes no more";
    EXPECT_FALSE(list->item(8, 0)->icon().isNull());
    EXPECT_EQ(page.clashLine()->text(), QStringLiteral("1 clash in this schedule"));

    // Undo brings the deleted bell and its clash back; Chinese follows the language.
    w.undo();
    EXPECT_EQ(page.clashes().size(), 2u);
    h.texts.loadChinese();
    w.retranslateAll();
    EXPECT_EQ(page.clashLine()->text(), QStringLiteral("本时程表有2处冲突"));
}

TEST(WeekView, ShowsTheSchoolDayMondayFirstSelectsOnClickAndTellsTheRowOnHover) {
    for (const char* ini : {"[LanguageSelect]\nID=1\n", "[LanguageSelect]\nID=2\n"}) {
        SCOPED_TRACE(ini);
        UiHarness h;
        MainWindow& w = startOnSchoolDay(h, ini);
        w.resize(1200, 800);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
        TimingListPage& page = w.timingPage();
        EXPECT_FALSE(page.weekShown());
        EXPECT_EQ(page.weekButton()->accessibleName(), h.texts.text(TextId::WeekView));
        QTest::mouseClick(page.weekButton(), Qt::LeftButton);
        ASSERT_TRUE(page.weekShown());
        EXPECT_TRUE(page.weekView().isVisible());
        EXPECT_TRUE(page.printButton()->isVisible());

        WeekView& week = page.weekView();
        // 8 bells and 2 announcements on five days.
        EXPECT_EQ(week.blocks().size(), 50u);
        const QRectF area(week.rect());
        for (const WeekBlock& b : week.blocks()) {
            const QRectF r = week.blockRect(b, area);
            EXPECT_GE(r.height(), WeekView::kMinimumBlockHeight) << "a 5-second bell stays visible";
            EXPECT_LT(b.column, 5) << "Monday to Friday are the first five columns";
        }
        // Click the lunch announcement on Wednesday: the list and the editor follow.
        const auto lunch = std::find_if(week.blocks().begin(), week.blocks().end(),
                                        [](const WeekBlock& b) { return b.entry == 9 && b.column == 2; });
        ASSERT_NE(lunch, week.blocks().end());
        const QPoint at = week.blockRect(*lunch, area).center().toPoint();
        page.findChild<QScrollArea*>(QStringLiteral("weekScroll"))->ensureVisible(at.x(), at.y());
        QTest::mouseClick(&week, Qt::LeftButton, {}, at);
        EXPECT_EQ(page.list()->currentRow(), 9);
        EXPECT_EQ(page.editor().startTime()->time(), QTime(12, 0, 0));
        EXPECT_EQ(week.entryAt(at), 9);
        const QString tip = week.toolTipFor(9, false);
        EXPECT_TRUE(tip.contains(QStringLiteral("12:00:00 - 12:20:00"))) << tip.toStdString();
        EXPECT_TRUE(tip.contains(h.texts.text(113))) << "the source, LOCAL FM"; // 主机收音机 / LOCAL FM
        EXPECT_TRUE(week.toolTipFor(8, false).contains(h.texts.text(TextId::ClashWith).section(u'%', 0, 0)));

        // Ctrl+click adds a block to the selection: two entries, the editor shows none.
        const auto bell = std::find_if(week.blocks().begin(), week.blocks().end(),
                                       [](const WeekBlock& b) { return b.entry == 0 && b.column == 2; });
        ASSERT_NE(bell, week.blocks().end());
        const QPoint bellAt = week.blockRect(*bell, area).center().toPoint();
        page.findChild<QScrollArea*>(QStringLiteral("weekScroll"))->ensureVisible(bellAt.x(), bellAt.y());
        QTest::mouseClick(&week, Qt::LeftButton, Qt::ControlModifier, bellAt);
        EXPECT_EQ(page.list()->selectionModel()->selectedIndexes().size(), 2 * page.list()->columnCount());
        EXPECT_FALSE(page.editor().isEnabled());
        QTest::mouseClick(&week, Qt::LeftButton, {}, bellAt);
        EXPECT_TRUE(page.editor().isEnabled()) << "a plain click selects the one block";
        EXPECT_EQ(page.list()->currentRow(), 0);

        QTest::mouseClick(page.listButton(), Qt::LeftButton);
        EXPECT_FALSE(page.weekShown());
        EXPECT_TRUE(page.list()->isVisible());
    }
}

TEST(WeekView, PrintsToThePrinterChosenAndPaintsSharplyAtAnyPixelRatio) {
    UiHarness h;
    MainWindow& w = startOnSchoolDay(h, "[LanguageSelect]\nID=2\n");
    TimingListPage& page = w.timingPage();

    // Cancelled: nothing printed.
    EXPECT_FALSE(page.printWeek());
    EXPECT_EQ(h.prompts.printerTitles, QStringList{QStringLiteral("时程1 — 周视图")});
    // To a PDF file.
    h.prompts.printTo = h.home.file(QStringLiteral("week.pdf"));
    EXPECT_TRUE(page.printWeek());
    const QByteArray pdf = readFile(h.prompts.printTo);
    EXPECT_TRUE(pdf.startsWith("%PDF")) << pdf.left(20).toStdString();
    EXPECT_GT(pdf.size(), 2000);
    // Its text is there to read: the title, every day, the hours and the blocks' labels, at a size that fits the
    // page (a page-sized font would leave only part of them on it).
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {h.prompts.printTo, QStringLiteral("-")});
    if (text.waitForFinished(20000) && text.exitCode() == 0) {
        const QString words = QString::fromUtf8(text.readAllStandardOutput());
        for (const QString& word : {QStringLiteral("时程1 — 周视图"), QStringLiteral("星期一"), QStringLiteral("星期日"),
                                    QStringLiteral("00:00"), QStringLiteral("23:00"), QStringLiteral("9 08:00")})
            EXPECT_TRUE(words.contains(word)) << word.toStdString() << " in:\n" << words.toStdString();
    } else {
        ADD_FAILURE() << "pdftotext did not run (poppler-utils is installed by scripts/setup-deps)";
    }

    // At pixel ratio 2 the same picture in twice the pixels: the clash outline's red lands where the block is.
    QImage image(QSize(900, 650) * 2, QImage::Format_ARGB32);
    image.setDevicePixelRatio(2.0);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        page.weekView().paint(painter, QRectF(0, 0, 900, 650));
    }
    const auto first = std::find_if(page.weekView().blocks().begin(), page.weekView().blocks().end(),
                                    [](const WeekBlock& b) { return b.entry == 8 && b.column == 0; });
    ASSERT_NE(first, page.weekView().blocks().end());
    const QRectF r = page.weekView().blockRect(*first, QRectF(0, 0, 900, 650));
    int red = 0;
    for (int x = int(r.left() * 2); x < int(r.right() * 2); ++x) {
        const QColor c = image.pixelColor(x, int(r.top() * 2) + 1);
        red += c.red() > 150 && c.green() < 90 && c.blue() < 90;
    }
    EXPECT_GT(red, int(r.width())) << "the clashing assembly is outlined in red along its top";

    // A 5-second bell is too low for its label, yet carries its number: pixels of another colour than its fill.
    const auto bell = std::find_if(page.weekView().blocks().begin(), page.weekView().blocks().end(),
                                   [](const WeekBlock& b) { return b.entry == 2 && b.column == 1; });
    ASSERT_NE(bell, page.weekView().blocks().end());
    const QRectF b = page.weekView().blockRect(*bell, QRectF(0, 0, 900, 650));
    ASSERT_LT(b.height(), 12.0);
    const QColor fill = image.pixelColor(int(b.right() * 2) - 3, int(b.center().y() * 2));
    int marked = 0;
    for (int y = int(b.top() * 2) + 1; y < int(b.bottom() * 2) - 1; ++y)
        for (int x = int(b.left() * 2) + 4; x < int(b.left() * 2) + 30; ++x) {
            const QColor c = image.pixelColor(x, y);
            marked += std::abs(c.red() - fill.red()) + std::abs(c.green() - fill.green()) +
                          std::abs(c.blue() - fill.blue()) > 120;
        }
    EXPECT_GT(marked, 6) << "the bell's number is drawn";
}
