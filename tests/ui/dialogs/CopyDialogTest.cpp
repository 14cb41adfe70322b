#include "UiHarness.h"

#include "core/files/ScheduleFile.h"
#include "ui/dialogs/CopyDialog.h"
#include "ui/schedule/TimingListPage.h"

#include <QComboBox>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

using namespace quorvan;
using namespace quorvan::test;

namespace {

QStringList items(const QComboBox* combo) {
    QStringList list;
    for (int i = 0; i < combo->count(); ++i)
        list << combo->itemText(i);
    return list;
}

void writeSchedule(const UiHarness& h, const QString& file, int entries) {
    auto t = makeTable();
    for (int i = 0; i < entries; ++i) {
        TimingEntry e = exampleEntry();
        e.startMinute = std::uint8_t(i);
        appendEntry(*t, e);
    }
    ASSERT_TRUE(saveTable(h.home.path(), file, *t).ok);
}

} // namespace

TEST(CopyDialog, AllIntoAnotherScheduleThroughTheWindow) {
    UiHarness h;
    h.writeConfig("[LanguageSelect]\nID=1\n");
    writeSchedule(h, QStringLiteral("SCH01.DAT"), 3);
    MainWindow& w = h.start();
    w.selectDocument(1);
    CopyDialog dialog(*h.context, w, &w);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Copy Timing"));
    EXPECT_EQ(items(dialog.sourceDocuments()).size(), 5);
    EXPECT_EQ(items(dialog.sourceEntries()), (QStringList{QStringLiteral("[ All ]"), QStringLiteral(" 1"),
                                                          QStringLiteral(" 2"), QStringLiteral(" 3")}));
    EXPECT_FALSE(dialog.targetEntries()->isEnabled()) << "[ All ] is selected first";
    EXPECT_EQ(items(dialog.targetEntries()), QStringList{QStringLiteral("[ All ]")});

    dialog.targetDocuments()->setCurrentIndex(1);
    QTest::mouseClick(dialog.copyButton(), Qt::LeftButton);
    ASSERT_EQ(h.prompts.messages.size(), 1u);
    EXPECT_EQ(h.prompts.messages[0].text, QStringLiteral("Copy Timing Success!"));
    EXPECT_EQ(h.prompts.messages[0].caption, QStringLiteral("Message"));
    EXPECT_EQ(readFile(h.dataFile(QStringLiteral("SCH02.DAT"))), readFile(h.dataFile(QStringLiteral("SCH01.DAT"))));
    EXPECT_EQ(w.timingPage().list()->rowCount(), 3) << "the open schedule was reloaded";

    dialog.targetDocuments()->setCurrentIndex(4);
    QTest::mouseClick(dialog.copyButton(), Qt::LeftButton);
    EXPECT_EQ(h.prompts.messages.back().text, QStringLiteral("Can't Copy To Alarm And Shortcut!"));
    EXPECT_EQ(h.prompts.messages.back().icon, Prompts::Icon::Stop);
}

TEST(CopyDialog, AppendKeepsNewSelectedAndNullSourceIsRefused) {
    UiHarness h;
    h.writeConfig("[LanguageSelect]\nID=1\n");
    writeSchedule(h, QStringLiteral("SCH01.DAT"), 2);
    MainWindow& w = h.start();
    CopyDialog dialog(*h.context, w, &w);
    dialog.sourceEntries()->setCurrentIndex(2); // " 2"
    EXPECT_TRUE(dialog.targetEntries()->isEnabled());
    dialog.targetDocuments()->setCurrentIndex(3);
    EXPECT_EQ(items(dialog.targetEntries()), QStringList{QStringLiteral("[ New ]")});
    QTest::mouseClick(dialog.copyButton(), Qt::LeftButton);
    EXPECT_EQ(items(dialog.targetEntries()), (QStringList{QStringLiteral(" 1"), QStringLiteral("[ New ]")}));
    EXPECT_EQ(dialog.targetEntries()->currentText(), QStringLiteral("[ New ]"));
    EXPECT_EQ(dialog.sourceEntries()->currentText(), QStringLiteral(" 2"));

    dialog.sourceDocuments()->setCurrentIndex(2); // Schedule3: empty
    EXPECT_EQ(items(dialog.sourceEntries()), QStringList{QStringLiteral("[ Null ]")});
    const QByteArray before = readFile(h.dataFile(QStringLiteral("SCH04.DAT")));
    QTest::mouseClick(dialog.copyButton(), Qt::LeftButton);
    EXPECT_EQ(h.prompts.messages.back().text, QStringLiteral("Can't Copy Null Timing!"));
    EXPECT_EQ(readFile(h.dataFile(QStringLiteral("SCH04.DAT"))), before);
}
