#include <gtest/gtest.h>

#include "FakePrompts.h"
#include "TestSupport.h"

#include "core/history/BackupStore.h"
#include "core/schedule/ScheduleModel.h"
#include "core/serial/SerialLink.h"
#include "core/settings/NameTables.h"
#include "core/settings/SettingsFiles.h"
#include "core/texts/TextTable.h"
#include "ui/common/AppContext.h"
#include "ui/schedule/PowerPickerDialog.h"
#include "ui/schedule/ZonePickerDialog.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>
#include <vector>

namespace quorvan {
namespace {

using test::FakePrompts;
using test::TempHome;
using Words = std::array<std::uint32_t, 9>;

// The program's shared objects on a temporary home folder, in English.
struct PickerContext {
    TempHome home;
    TextTable texts;
    NameTables names;
    SettingsFiles settings{home.path()};
    SerialLink serial;
    std::unique_ptr<ScheduleModel> model;
    FakePrompts prompts;
    BackupStore backups{home.path()};
    std::unique_ptr<AppContext> ctx;

    PickerContext() {
        texts.loadEnglish();
        settings.loadNames(names);
        names.computeDisplayNames(texts);
        model = std::make_unique<ScheduleModel>(texts, home.path());
        ctx = std::make_unique<AppContext>(AppContext{texts, names, *model, settings, serial, prompts, backups});
    }
};

std::vector<int> tickedItems(const QListWidget* list) {
    std::vector<int> ticked;
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->checkState() == Qt::Checked)
            ticked.push_back(i);
    return ticked;
}

std::vector<int> range(int first, int last) {
    std::vector<int> r;
    for (int i = first; i <= last; ++i)
        r.push_back(i);
    return r;
}

void click(QWidget* dialog, const char* name) {
    auto* button = dialog->findChild<QPushButton*>(QString::fromLatin1(name));
    ASSERT_NE(button, nullptr) << name;
    button->click();
}

// Once the modal loop runs, acts on the dialog it shows.
void whenModal(std::function<void(QWidget*)> act) {
    QTimer::singleShot(0, [act] {
        QWidget* dialog = QApplication::activeModalWidget();
        for (int tries = 0; !dialog && tries < 100; ++tries) {
            QTest::qWait(10);
            dialog = QApplication::activeModalWidget();
        }
        ASSERT_NE(dialog, nullptr);
        act(dialog);
    });
}

// Every item of a picker's list shows its whole name: its cell is at least as wide as the text in the list's font
// plus the check box in front of it.
void expectWholeNames(QWidget& picker, QListWidget* list) {
    picker.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&picker));
    const QFontMetrics metrics(list->font());
    QStyleOptionButton box;
    const int indicator = list->style()->pixelMetric(QStyle::PM_IndicatorWidth, &box, list);
    for (int i = 0; i < list->count(); ++i) {
        const QListWidgetItem* item = list->item(i);
        const QRect cell = list->visualItemRect(item);
        EXPECT_GE(cell.width(), metrics.horizontalAdvance(item->text()) + indicator) << item->text().toStdString();
        EXPECT_GT(cell.height(), 0) << i;
    }
}

TEST(ZonePickerTest, ShowsControlsAndNames) {
    PickerContext pc;
    pc.names.setStored(NameTable::Zones, 2, QStringLiteral("Hall"));
    pc.names.computeDisplayNames(pc.texts);
    const std::uint32_t mask[9] = {0x1u, 0x1u, 0x8000u, 0, 0, 0, 0, 0, 0}; // zones 0, 8 and 39
    ZonePickerDialog picker(*pc.ctx, mask);

    EXPECT_EQ(picker.windowTitle(), QStringLiteral("Zone Select"));
    QListWidget* list = picker.findChild<QListWidget*>(QStringLiteral("zoneList"));
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->count(), 40);
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("LocalZone1"));
    EXPECT_EQ(list->item(2)->text(), QStringLiteral("Hall"));
    EXPECT_EQ(list->item(8)->text(), QStringLiteral("Ext.Zone1-1"));
    EXPECT_EQ(list->item(39)->text(), QStringLiteral("Ext.Zone2-16"));
    EXPECT_TRUE(list->item(0)->flags() & Qt::ItemIsUserCheckable);
    EXPECT_EQ(tickedItems(list), (std::vector<int>{0, 8, 39}));

    auto* groups = picker.findChild<QComboBox*>(QStringLiteral("groupChoice"));
    auto* actions = picker.findChild<QComboBox*>(QStringLiteral("actionChoice"));
    ASSERT_NE(groups, nullptr);
    ASSERT_NE(actions, nullptr);
    ASSERT_EQ(groups->count(), 10);
    EXPECT_EQ(groups->itemText(0), QStringLiteral("ALL GROUP"));
    EXPECT_EQ(groups->itemText(9), QStringLiteral("EXTEND GROUP8"));
    EXPECT_EQ(groups->currentIndex(), 0);
    ASSERT_EQ(actions->count(), 3);
    EXPECT_EQ(actions->itemText(0), QString());
    EXPECT_EQ(actions->itemText(1), QStringLiteral("All On"));
    EXPECT_EQ(actions->itemText(2), QStringLiteral("All Off"));
    EXPECT_EQ(actions->currentIndex(), 0);
    EXPECT_EQ(picker.findChild<QLabel*>(QStringLiteral("groupLabel"))->text(), QStringLiteral("ZONE GROUP"));
    EXPECT_EQ(picker.findChild<QLabel*>(QStringLiteral("actionLabel"))->text(), QStringLiteral("ON/OFF"));
    EXPECT_EQ(picker.findChild<QPushButton*>(QStringLiteral("button1"))->text(), QStringLiteral("Enter"));
    EXPECT_EQ(picker.findChild<QPushButton*>(QStringLiteral("button2"))->text(), QStringLiteral("Cancel"));
}

TEST(ZonePickerTest, GroupActionsTickTheirZones) {
    PickerContext pc;
    const std::uint32_t none[9] = {};
    ZonePickerDialog picker(*pc.ctx, none);
    QListWidget* list = picker.list();

    // Local group, all on: exactly the eight host zones.
    picker.groupCombo()->setCurrentIndex(1);
    picker.actionCombo()->setCurrentIndex(1);
    EXPECT_EQ(tickedItems(list), range(0, 7));

    // A new group resets the action without applying anything.
    picker.groupCombo()->setCurrentIndex(3);
    EXPECT_EQ(picker.actionCombo()->currentIndex(), 0);
    EXPECT_EQ(tickedItems(list), range(0, 7));
    picker.actionCombo()->setCurrentIndex(1); // extension group 2: zones 24..39
    std::vector<int> expected = range(0, 7);
    for (int z : range(24, 39))
        expected.push_back(z);
    EXPECT_EQ(tickedItems(list), expected);

    // Extension group 3 has no zones.
    picker.groupCombo()->setCurrentIndex(4);
    picker.actionCombo()->setCurrentIndex(1);
    EXPECT_EQ(tickedItems(list), expected);

    // All groups, all off, then a tick by hand.
    picker.groupCombo()->setCurrentIndex(0);
    picker.actionCombo()->setCurrentIndex(2);
    EXPECT_TRUE(tickedItems(list).empty());
    list->item(9)->setCheckState(Qt::Checked);
    picker.actionCombo()->setCurrentIndex(0); // the empty action changes nothing
    EXPECT_EQ(tickedItems(list), (std::vector<int>{9}));
}

TEST(ZonePickerTest, OkRebuildsZoneBitsAndKeepsTheRest) {
    PickerContext pc;
    const std::uint32_t mask[9] = {0xABCD0000u, 0x12340001u, 0x56780000u, 0x9ABCFFFFu, 0x0000FFFFu,
                                   0,           0,           0,           0xFFFFFFFFu};
    ZonePickerDialog picker(*pc.ctx, mask);
    picker.groupCombo()->setCurrentIndex(1);
    picker.actionCombo()->setCurrentIndex(1);
    picker.list()->item(8)->setCheckState(Qt::Unchecked);
    picker.list()->item(24)->setCheckState(Qt::Checked);
    picker.list()->item(39)->setCheckState(Qt::Checked);

    EXPECT_EQ(picker.words()[0], mask[0]) << "nothing changes before OK";
    click(&picker, "button1");
    EXPECT_EQ(picker.result(), QDialog::Accepted);
    const Words& w = picker.words();
    EXPECT_EQ(w[0], 0xABCD00FFu);
    EXPECT_EQ(w[1], 0x12340000u);
    EXPECT_EQ(w[2], 0x56788001u);
    EXPECT_EQ(w[3], 0x9ABC0000u); // zones beyond the 40 are cleared, the high half is kept
    EXPECT_EQ(w[4], 0u);
    EXPECT_EQ(w[8], 0xFFFF0000u);
}

TEST(ZonePickerTest, PickReturnsWordsOnlyOnOkAndEscapeCancels) {
    PickerContext pc;
    const std::uint32_t mask[9] = {0x100u, 0, 0, 0x10000u, 0, 0, 0, 0, 0};

    whenModal([](QWidget* dialog) {
        dialog->findChild<QListWidget*>(QStringLiteral("zoneList"))->item(3)->setCheckState(Qt::Checked);
        click(dialog, "button2");
    });
    EXPECT_FALSE(ZonePickerDialog::pick(*pc.ctx, mask).has_value());

    whenModal([](QWidget* dialog) {
        dialog->findChild<QListWidget*>(QStringLiteral("zoneList"))->item(3)->setCheckState(Qt::Checked);
        click(dialog, "button1");
    });
    const auto picked = ZonePickerDialog::pick(*pc.ctx, mask);
    ASSERT_TRUE(picked.has_value());
    EXPECT_EQ((*picked)[0], 0x108u);
    EXPECT_EQ((*picked)[3], 0x10000u);

    whenModal([](QWidget* dialog) {
        dialog->findChild<QListWidget*>(QStringLiteral("zoneList"))->item(3)->setCheckState(Qt::Checked);
        QTest::keyClick(dialog, Qt::Key_Escape);
        EXPECT_FALSE(dialog->isVisible()) << "Escape should cancel";
        if (dialog->isVisible())
            click(dialog, "button1"); // end the loop, and let the result show the fault too
    });
    EXPECT_FALSE(ZonePickerDialog::pick(*pc.ctx, mask).has_value());
}

TEST(PowerPickerTest, ShowsChannelsAndKeepPower) {
    PickerContext pc;
    pc.names.setStored(NameTable::Power, 5, QStringLiteral("Amplifiers"));
    pc.names.computeDisplayNames(pc.texts);
    const std::uint32_t mask[9] = {0x8001u, 0, 0x0010u, 0, 0, 0, 0, 0, 0}; // channel 0, channel 25, keep power
    PowerPickerDialog picker(*pc.ctx, mask);

    EXPECT_EQ(picker.windowTitle(), QStringLiteral("Setting Power"));
    auto* group = picker.findChild<QGroupBox*>();
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->title(), QStringLiteral("Setting Power"));
    QListWidget* list = picker.findChild<QListWidget*>(QStringLiteral("channelList"));
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->count(), 38);
    EXPECT_EQ(list->item(4)->text(), QStringLiteral("Syn.Power"));
    EXPECT_EQ(list->item(5)->text(), QStringLiteral("Amplifiers"));
    EXPECT_EQ(list->item(37)->text(), QStringLiteral("保持电源"));
    EXPECT_EQ(tickedItems(list), (std::vector<int>{0, 25, 37}));
    EXPECT_EQ(picker.findChild<QPushButton*>(QStringLiteral("allSelectButton"))->text(), QStringLiteral("All Select"));
    EXPECT_EQ(picker.findChild<QPushButton*>(QStringLiteral("invertButton"))->text(), QStringLiteral("Invert"));
    EXPECT_EQ(picker.findChild<QPushButton*>(QStringLiteral("button1"))->text(), QStringLiteral("Enter"));
    EXPECT_EQ(picker.findChild<QPushButton*>(QStringLiteral("button2"))->text(), QStringLiteral("Cancel"));
}

TEST(PowerPickerTest, InvertAndAllSelectLeaveKeepPowerAndOtherBits) {
    PickerContext pc;
    const std::uint32_t mask[9] = {0x12340020u, 0xABCD0000u, 0x5A5A0000u, 0x0000FFFFu, 0, 0, 0, 0, 0x77u};
    {
        PowerPickerDialog picker(*pc.ctx, mask);
        click(&picker, "invertButton");
        EXPECT_EQ(tickedItems(picker.list()), range(0, 36));
        click(&picker, "button1");
        const Words& w = picker.words();
        EXPECT_EQ(w[0], 0x1234003Fu); // bits 0-4 set, bit 15 clear as item 37, bit 5 and high bits kept
        EXPECT_EQ(w[1], 0xABCDFFFFu);
        EXPECT_EQ(w[2], 0x5A5AFFFFu);
        EXPECT_EQ(w[3], 0x0000FFFFu);
        EXPECT_EQ(w[8], 0x77u);
    }
    {
        PowerPickerDialog picker(*pc.ctx, mask);
        picker.list()->item(kKeepPowerItem)->setCheckState(Qt::Checked);
        picker.list()->item(10)->setCheckState(Qt::Checked);
        click(&picker, "allSelectButton");
        std::vector<int> all = range(0, 37);
        EXPECT_EQ(tickedItems(picker.list()), all);
        click(&picker, "invertButton"); // invert clears the channels, keep power stays
        EXPECT_EQ(tickedItems(picker.list()), (std::vector<int>{37}));
        click(&picker, "button1");
        EXPECT_EQ(picker.words()[0], 0x12348020u);
        EXPECT_EQ(picker.words()[1], 0xABCD0000u);
    }
    {
        // Cancel rebuilds the picker's own words as well; only pick() drops them.
        PowerPickerDialog picker(*pc.ctx, mask);
        click(&picker, "allSelectButton");
        click(&picker, "button2");
        EXPECT_EQ(picker.result(), QDialog::Rejected);
        EXPECT_EQ(picker.words()[0], 0x1234003Fu);
    }
}

TEST(PowerPickerTest, PickReturnsWordsOnlyOnOkAndIgnoresEscape) {
    PickerContext pc;
    const std::uint32_t mask[9] = {0x2u, 0, 0, 0, 0, 0, 0, 0, 0};

    // Escape and Enter are swallowed; Cancel still ends the picker without a result.
    whenModal([](QWidget* dialog) {
        QTest::keyClick(dialog, Qt::Key_Escape);
        QTest::keyClick(dialog->findChild<QListWidget*>(QStringLiteral("channelList")), Qt::Key_Escape);
        QTest::keyClick(dialog, Qt::Key_Return);
        EXPECT_TRUE(dialog->isVisible());
        click(dialog, "allSelectButton");
        click(dialog, "button2");
    });
    EXPECT_FALSE(PowerPickerDialog::pick(*pc.ctx, mask).has_value());

    whenModal([](QWidget* dialog) {
        dialog->findChild<QListWidget*>(QStringLiteral("channelList"))->item(37)->setCheckState(Qt::Checked);
        click(dialog, "button1");
    });
    const auto picked = PowerPickerDialog::pick(*pc.ctx, mask);
    ASSERT_TRUE(picked.has_value());
    EXPECT_EQ((*picked)[0], 0x8002u);
}

} // namespace
} // namespace quorvan

namespace quorvan {
namespace {

TEST(PickerNames, EveryZoneAndPowerChannelShowsItsWholeName) {
    for (const bool english : {true, false}) {
        SCOPED_TRACE(english ? "English" : "Chinese");
        PickerContext pc;
        if (!english)
            pc.texts.loadChinese();
        // One long name of the operator's own, among the defaults.
        pc.names.setStored(NameTable::Power, 4, QStringLiteral("Amplifier of the main assembly hall"));
        pc.names.setStored(NameTable::Zones, 9, QStringLiteral("Second floor corridor and stairs"));
        pc.names.computeDisplayNames(pc.texts);
        const std::uint32_t mask[9] = {};
        PowerPickerDialog power(*pc.ctx, mask);
        expectWholeNames(power, power.list());
        ZonePickerDialog zones(*pc.ctx, mask);
        expectWholeNames(zones, zones.list());
    }
}

} // namespace
} // namespace quorvan
