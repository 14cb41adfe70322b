#include "UiHarness.h"

#include "core/files/ScheduleFile.h"
#include "ui/dialogs/NamesPage.h"
#include "ui/dialogs/SettingsDialog.h"
#include "ui/schedule/RemoteKeyPage.h"
#include "ui/schedule/TimingListPage.h"

#include <QApplication>
#include <QHeaderView>
#include <QHelpEvent>
#include <QStyle>
#include <QTableWidget>
#include <QTest>
#include <QToolTip>

#include <gtest/gtest.h>

using namespace quorvan;
using namespace quorvan::test;

namespace {

// Every heading of the list fits its column, and no column is narrower than the width it was made with.
void expectWholeHeadings(const QTableWidget* list, const QList<int>& leastWidths) {
    const QHeaderView* header = list->horizontalHeader();
    const QFontMetrics metrics(header->font());
    const int margins = 2 * header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
    for (int c = 0; c < list->columnCount(); ++c) {
        const QString heading = list->horizontalHeaderItem(c)->text();
        EXPECT_GE(list->columnWidth(c), metrics.horizontalAdvance(heading) + margins) << heading.toStdString();
        if (c < leastWidths.size()) {
            EXPECT_GE(list->columnWidth(c), leastWidths[c]) << heading.toStdString();
        }
    }
}

// The tooltip the list shows for the cell, empty when it shows none.
QString toolTipOf(QTableWidget* list, int row, int column) {
    // QToolTip::hideText() fades the tip out over a while; close the previous tip at once.
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->inherits("QTipLabel"))
            top->close();
    const QPoint at = list->visualRect(list->model()->index(row, column)).center();
    QHelpEvent event(QEvent::ToolTip, at, list->viewport()->mapToGlobal(at));
    QApplication::sendEvent(list->viewport(), &event);
    return QToolTip::isVisible() ? QToolTip::text() : QString();
}

} // namespace

TEST(ReportList, HeadingsShowInFullInBothLanguagesAndTheDescribedWidthsStayMinimums) {
    for (const char* ini : {"[LanguageSelect]\nID=1\n", "[LanguageSelect]\nID=2\n"}) {
        SCOPED_TRACE(ini);
        UiHarness h;
        h.writeConfig(ini);
        MainWindow& w = h.start();
        expectWholeHeadings(w.timingPage().list(), {50, 120, 80, 80, 80, 120, 120});
        EXPECT_EQ(w.timingPage().list()->columnWidth(2), 80) << "a wide enough column keeps its width";
        expectWholeHeadings(w.remotePage().list(), {});

        SettingsDialog dialog(*h.context, *h.window, h.window.get());
        dialog.show();
        expectWholeHeadings(dialog.zonePage()->list(), {50, 150});
        expectWholeHeadings(dialog.powerPage()->list(), {50, 150});

        // After a language switch the headings are fitted again.
        w.selectDocument(0);
        if (h.texts.language() == 1)
            h.texts.loadChinese();
        else
            h.texts.loadEnglish();
        w.retranslateAll();
        expectWholeHeadings(w.timingPage().list(), {50, 120, 80, 80, 80, 120, 120});
        expectWholeHeadings(dialog.zonePage()->list(), {50, 150});
    }
}

TEST(ReportList, ACutCellShowsItsWholeTextAsTooltipAndAWholeOneShowsNone) {
    UiHarness h;
    h.writeConfig("[LanguageSelect]\nID=1\n");
    auto table = makeTable();
    TimingEntry entry = exampleEntry(); // Monday to Friday
    for (int z = 0; z < 12; ++z)
        setZoneBit(entry.zoneMask, z, true);
    appendEntry(*table, entry);
    MainWindow& w = h.start();
    ASSERT_TRUE(saveTableFile(h.dataFile(QStringLiteral("SCH01.DAT")), *table).ok);
    w.reloadDocument();
    QTableWidget* list = w.timingPage().list();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    ASSERT_EQ(list->rowCount(), 1);

    const QString week = list->item(0, 1)->text();
    EXPECT_EQ(week, QStringLiteral("Mon,Tues,Wed,Thur,Fri"));
    EXPECT_EQ(toolTipOf(list, 0, 1), week);
    EXPECT_EQ(toolTipOf(list, 0, 5), list->item(0, 5)->text());
    EXPECT_EQ(toolTipOf(list, 0, 2), QString()) << "08:00:00 fits its column";

    // Widened enough, the week fits and its tooltip goes.
    list->setColumnWidth(1, 400);
    EXPECT_EQ(toolTipOf(list, 0, 1), QString());
}
