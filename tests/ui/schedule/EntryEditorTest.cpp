#include "UiHarness.h"

#include "ui/schedule/EntryEditor.h"
#include "ui/schedule/TimingListPage.h"
#include "ui/schedule/ZonePickerDialog.h"
#include "ui/schedule/ZonePowerPanel.h"

#include <QApplication>
#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>
#include <QTimeEdit>
#include <QTimer>

#include <gtest/gtest.h>

using namespace quorvan;
using namespace quorvan::test;

namespace {

// Runs `act` on the modal dialog that the next call opens.
template <class Dialog, class Act> void onNextModal(Act act) {
    QTimer::singleShot(0, [act] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        act(*dialog);
    });
}

struct EditorFixture {
    UiHarness h;
    EntryEditor* editor = nullptr;
    EditorFixture() {
        h.writeConfig("[LanguageSelect]\nID=1\n");
        h.start();
        editor = &h.window->timingPage().editor();
    }
};

} // namespace

TEST(EntryEditor, SaveRefusesEqualTimesWithAFixedChineseMessage) {
    EditorFixture f;
    QSignalSpy forwarded(f.editor, &EntryEditor::saveRequested);
    f.editor->startTime()->setTime(QTime(8, 0, 0));
    f.editor->endTime()->setTime(QTime(8, 0, 0));
    QTest::mouseClick(f.editor->button(EntryEditor::SaveButton), Qt::LeftButton);
    ASSERT_EQ(f.h.prompts.messages.size(), 1u);
    EXPECT_EQ(f.h.prompts.messages[0].caption, QStringLiteral("提示信息"));
    EXPECT_EQ(f.h.prompts.messages[0].text, QStringLiteral("开始时间和结束时间不能重复!"));
    EXPECT_EQ(forwarded.count(), 0);
    EXPECT_EQ(f.h.model->document().table().count(), 0);

    f.editor->endTime()->setTime(QTime(7, 59, 59));
    QTest::mouseClick(f.editor->button(EntryEditor::SaveButton), Qt::LeftButton);
    EXPECT_EQ(forwarded.count(), 1);
    EXPECT_EQ(f.h.model->document().table().count(), 1) << "an end before the start is accepted";
}

TEST(EntryEditor, LoadShowsWeekdaysTimesAndSummaries) {
    EditorFixture f;
    TimingEntry e{};
    e.used = 1;
    e.weekdays = 0x41;
    e.startHour = 7;
    e.startMinute = 30;
    e.endHour = 24; // only a damaged file holds this
    e.zoneMask[0] = 1;
    e.zoneMask[1] = 1;
    e.powerMask[0] = 0x8000;
    f.editor->loadEntry(e);
    for (int bit = 0; bit < 7; ++bit)
        EXPECT_EQ(f.editor->weekdayBox(bit)->isChecked(), bit == 0 || bit == 6) << bit;
    EXPECT_EQ(f.editor->startTime()->time(), QTime(7, 30, 0));
    EXPECT_EQ(f.editor->endTime()->time(), QTime(0, 0, 0));
    EXPECT_EQ(f.editor->targets().zoneSummary(), QStringLiteral("LocalZone1,\r\nExt.Zone1-1,\r"));
    EXPECT_EQ(f.editor->targets().powerSummary(), QStringLiteral("保持电源\r"));

    // Storing keeps the bits of the boxes and the entry's other weekday bits.
    f.editor->weekdayBox(1)->setChecked(true);
    const TimingEntry stored = f.editor->storeEntry();
    EXPECT_EQ(stored.weekdays, 0x43u);
    EXPECT_EQ(stored.used, 1);
    EXPECT_EQ(stored.endHour, 0);
}

TEST(EntryEditor, PickersChangeTheEntryOnlyOnOk) {
    EditorFixture f;
    TimingEntry e{};
    e.zoneMask[0] = 0x2;
    f.editor->loadEntry(e);
    onNextModal<ZonePickerDialog>([](ZonePickerDialog& d) {
        d.list()->item(0)->setCheckState(Qt::Checked);
        d.reject();
    });
    QTest::mouseClick(f.editor->targets().zoneButton(), Qt::LeftButton);
    EXPECT_EQ(f.editor->workingEntry().zoneMask[0], 0x2u);
    EXPECT_EQ(f.editor->targets().zoneSummary(), QStringLiteral("LocalZone2,\r"));

    onNextModal<ZonePickerDialog>([](ZonePickerDialog& d) {
        d.list()->item(0)->setCheckState(Qt::Checked);
        d.list()->item(8)->setCheckState(Qt::Checked);
        d.accept();
    });
    QTest::mouseClick(f.editor->targets().zoneButton(), Qt::LeftButton);
    EXPECT_EQ(f.editor->workingEntry().zoneMask[0], 0x3u);
    EXPECT_EQ(f.editor->workingEntry().zoneMask[1], 0x1u);
    EXPECT_EQ(f.editor->targets().zoneSummary(), QStringLiteral("LocalZone1,\r\nLocalZone2,\r\nExt.Zone1-1,\r"));
}

TEST(EntryEditor, EditorIsDockedUnderTheList) {
    EditorFixture f;
    TimingListPage& page = f.h.window->timingPage();
    page.resize(900, 700);
    page.layoutPage();
    QCoreApplication::processEvents(); // the scroll area settles its scroll bars on the editor's layout request
    // The editor sits in its dock, which takes the bottom of the page; the list fills the rest above a band.
    auto* dock = page.findChild<QScrollArea*>(QStringLiteral("editorDock"));
    ASSERT_NE(dock, nullptr);
    EXPECT_EQ(page.editor().parentWidget(), dock->viewport());
    const QRect editor = dock->geometry();
    EXPECT_EQ(editor.bottom(), page.height() - 1);
    // The list (with its List / Week switch above it and the clash line below) fills the page above the band.
    const QWidget* area = page.list()->parentWidget()->parentWidget();
    EXPECT_EQ(area->geometry().top(), 0);
    EXPECT_EQ(area->geometry().height(), page.height() - editor.height() - TimingListPage::kBand);
    EXPECT_LE(page.list()->mapTo(&page, QPoint(0, page.list()->height())).y(), area->geometry().bottom() + 1);
    EXPECT_GT(page.list()->height(), area->height() / 2);
    EXPECT_TRUE(page.editor().isVisible());
    EXPECT_LE(page.editor().height(), dock->viewport()->height()) << "the whole height of the editor shows";
    EXPECT_FALSE(dock->horizontalScrollBar()->isVisible()) << "900 pixels are enough for the stacked editor";
}
