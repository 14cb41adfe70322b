#include "UiHarness.h"

#include "app/OptionDlg.h"
#include "app/SchFileTreeDlg.h"
#include "app/ToolBarDlg.h"
#include "controls/CIconButton.h"
#include "app/SetLanguageDlg.h"
#include "app/SetPowerDlg.h"
#include "app/SetZoneDlg.h"
#include "editing/ListSupport.h"
#include "settings/PrivateProfile.h"

#include <QApplication>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QTreeWidgetItem>

#include <gtest/gtest.h>

#include <optional>

using namespace quorvan;
using namespace quorvan::test;

namespace {

void startEnglish(UiHarness& h) {
    h.writeConfig("[LanguageSelect]\nID=1\n");
    h.start();
}

// Selects a row the way the user does: a click on it.
void clickRow(QTableWidget* list, int row) {
    list->scrollToItem(list->item(row, 0));
    const QRect rect = list->visualItemRect(list->item(row, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
}

// Selects a row, replaces the edit box text and presses the page's button.
void rename(NamePageDlg* page, int row, const QString& text) {
    clickRow(page->list(), row);
    page->edit()->setText(text); // typed texts may hold characters a key click cannot produce
    QTest::mouseClick(page->button(), Qt::LeftButton);
}

void clickLanguage(OptionDlg& dlg, QRadioButton* radio) {
    dlg.tabs()->setCurrentIndex(OptionDlg::LanguageTab);
    QCoreApplication::processEvents(); // lays out the page that just became visible
    // A radio button answers clicks on its indicator and caption only.
    QTest::mouseClick(radio, Qt::LeftButton, {}, QPoint(8, radio->height() / 2));
}

std::optional<QString> iniValue(const QString& path, const QString& section, const QString& key) {
    return PrivateProfile::load(path).value(section, key);
}

QString storedName(const UiHarness& h, const QString& section) {
    return iniValue(h.home.file(QStringLiteral("Config_name.ini")), section, QStringLiteral("name"))
        .value_or(QStringLiteral("<missing>"));
}

} // namespace

TEST(OptionDialog, BuildsThreeTabsOnPowerNamesWithTheLanguagesTexts) {
    UiHarness h;
    startEnglish(h);
    OptionDlg dlg(*h.context, *h.window, h.window.get());
    dlg.show();

    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("System Option"));
    QTabWidget* tabs = dlg.findChild<QTabWidget*>(QStringLiteral("tab1064"));
    ASSERT_EQ(tabs, dlg.tabs());
    ASSERT_EQ(tabs->count(), 3);
    EXPECT_EQ(tabs->tabText(0), QStringLiteral("Power Name"));
    EXPECT_EQ(tabs->tabText(1), QStringLiteral("Zone Name"));
    EXPECT_EQ(tabs->tabText(2), QStringLiteral("Setting Language"));
    EXPECT_EQ(tabs->widget(0), dlg.powerPage());
    EXPECT_EQ(tabs->widget(1), dlg.zonePage());
    EXPECT_EQ(tabs->widget(2), dlg.languagePage());
    EXPECT_EQ(tabs->currentIndex(), 0);
    EXPECT_TRUE(dlg.powerPage()->isVisible());
    EXPECT_FALSE(dlg.zonePage()->isVisible());
    EXPECT_FALSE(dlg.languagePage()->isVisible());
    tabs->setCurrentIndex(1);
    EXPECT_FALSE(dlg.powerPage()->isVisible());
    EXPECT_TRUE(dlg.zonePage()->isVisible());
    EXPECT_EQ(dlg.findChildren<QPushButton*>().size(), 2) << "no OK or Cancel, only the two Enter buttons";

    struct PageCase {
        NamePageDlg* page;
        const char* group;
        const char* list;
        const char* edit;
        const char* label;
        const char* button;
        const char16_t* title;
        int rows;
        const char16_t* last;
    } pages[] = {
        {dlg.powerPage(), "group1184", "list1185", "edit1186", "label1187", "button1188", u"Setting Power", 37,
         u"Ext.Power2-16"},
        {dlg.zonePage(), "group1191", "list1189", "edit1192", "label1193", "button1190", u"Setting Zone", 40,
         u"Ext.Zone2-16"},
    };
    for (const PageCase& c : pages) {
        NamePageDlg* page = c.page;
        auto* group = page->findChild<QGroupBox*>(QString::fromLatin1(c.group));
        auto* list = page->findChild<QTableWidget*>(QString::fromLatin1(c.list));
        ASSERT_TRUE(group && list) << c.group;
        EXPECT_EQ(page->findChild<QLineEdit*>(QString::fromLatin1(c.edit)), page->edit()) << c.edit;
        EXPECT_EQ(page->findChild<QLabel*>(QString::fromLatin1(c.label)), page->label()) << c.label;
        EXPECT_EQ(page->findChild<QPushButton*>(QString::fromLatin1(c.button)), page->button()) << c.button;
        EXPECT_EQ(group->title(), QString::fromUtf16(c.title));
        EXPECT_EQ(page->button()->text(), QStringLiteral("Enter"));
        EXPECT_EQ(page->label()->text(), QStringLiteral("Name Setting"));
        EXPECT_EQ(list->horizontalHeaderItem(0)->text(), QStringLiteral("Number"));
        EXPECT_EQ(list->horizontalHeaderItem(1)->text(), QStringLiteral("Name"));
        EXPECT_EQ(list->columnWidth(0), 50);
        ASSERT_EQ(list->rowCount(), c.rows);
        EXPECT_EQ(cellText(list, 0, 0), QStringLiteral("1"));
        EXPECT_EQ(cellText(list, c.rows - 1, 0), QString::number(c.rows));
        EXPECT_EQ(cellText(list, c.rows - 1, 1), QString::fromUtf16(c.last));
    }
    EXPECT_EQ(cellText(dlg.powerPage()->list(), 4, 1), QStringLiteral("Syn.Power"));

    SetLanguageDlg* language = dlg.languagePage();
    EXPECT_EQ(language->findChild<QGroupBox*>(QStringLiteral("group1232"))->title(),
              QStringLiteral("Setting Language"));
    EXPECT_EQ(language->findChild<QRadioButton*>(QStringLiteral("radio1230")), language->englishRadio());
    EXPECT_EQ(language->findChild<QRadioButton*>(QStringLiteral("radio1231")), language->chineseRadio());
    EXPECT_EQ(language->englishRadio()->text(), QStringLiteral("English"));
    EXPECT_EQ(language->chineseRadio()->text(), QStringLiteral("简体中文"));
    EXPECT_TRUE(language->englishRadio()->isChecked());
    EXPECT_FALSE(language->chineseRadio()->isChecked());

    // In Chinese the other radio starts checked; the radios keep their captions.
    UiHarness zh;
    zh.start();
    OptionDlg zhDlg(*zh.context, *zh.window, zh.window.get());
    EXPECT_EQ(zhDlg.windowTitle(), QStringLiteral("系统设置"));
    EXPECT_TRUE(zhDlg.languagePage()->chineseRadio()->isChecked());
    EXPECT_FALSE(zhDlg.languagePage()->englishRadio()->isChecked());
    EXPECT_EQ(zhDlg.languagePage()->englishRadio()->text(), QStringLiteral("English"));
    EXPECT_EQ(cellText(zhDlg.zonePage()->list(), 8, 1), QStringLiteral("扩展分区1-1"));
}

TEST(OptionDialog, UnchangedDefaultNameIsStoredAndNoLongerFollowsTheLanguage) {
    UiHarness h;
    startEnglish(h);
    OptionDlg dlg(*h.context, *h.window, h.window.get());
    dlg.show();
    SetPowerDlg* power = dlg.powerPage();

    // Without a selected row the button does nothing, not even a save.
    power->edit()->setText(QStringLiteral("Amp"));
    QTest::mouseClick(power->button(), Qt::LeftButton);
    EXPECT_EQ(h.names.stored(NameTable::Power, 0), QString::fromUtf16(kDefaultNameMarker));
    EXPECT_FALSE(QFileInfo::exists(h.home.file(QStringLiteral("Config_name.ini"))));

    clickRow(power->list(), 0);
    EXPECT_EQ(power->edit()->text(), QStringLiteral("LocalPower1"));
    clickRow(power->list(), 4);
    EXPECT_EQ(power->edit()->text(), QStringLiteral("Syn.Power"));
    clickRow(power->list(), 0);
    QTest::mouseClick(power->button(), Qt::LeftButton);
    EXPECT_EQ(h.names.stored(NameTable::Power, 0), QStringLiteral("LocalPower1"));
    EXPECT_EQ(storedName(h, QStringLiteral("Power0")), QStringLiteral("LocalPower1"));
    EXPECT_EQ(storedName(h, QStringLiteral("Power1")), QString::fromUtf16(kDefaultNameMarker));
    EXPECT_EQ(storedName(h, QStringLiteral("ZoneUnit39")), QString::fromUtf16(kDefaultNameMarker));
    EXPECT_TRUE(h.prompts.messages.empty());

    clickLanguage(dlg, dlg.languagePage()->chineseRadio());
    EXPECT_EQ(h.texts.language(), 2);
    EXPECT_EQ(h.window->windowTitle(), QStringLiteral("智能分区广播系统"));
    EXPECT_EQ(iniValue(h.home.file(QStringLiteral("Config.ini")), QStringLiteral("LanguageSelect"),
                       QStringLiteral("ID")),
              QStringLiteral("2"));
    EXPECT_EQ(h.names.display(NameTable::Power, 0), QStringLiteral("LocalPower1"));
    EXPECT_EQ(h.names.display(NameTable::Power, 1), QStringLiteral("主机电源2"));

    // The main window re-captions the open dialog through RefreshTexts.
    dlg.RefreshTexts();
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("系统设置"));
    EXPECT_EQ(dlg.tabs()->tabText(0), QStringLiteral("电源命名"));
    EXPECT_EQ(dlg.tabs()->tabText(1), QStringLiteral("分区命名"));
    EXPECT_EQ(dlg.tabs()->tabText(2), QStringLiteral("语言设置"));
    EXPECT_EQ(dlg.languagePage()->group()->title(), QStringLiteral("语言设置"));
    EXPECT_EQ(power->group()->title(), QStringLiteral("电源设定"));
    EXPECT_EQ(power->button()->text(), QStringLiteral("确定"));
    EXPECT_EQ(power->list()->horizontalHeaderItem(0)->text(), QStringLiteral("序号"));
    EXPECT_EQ(cellText(power->list(), 0, 1), QStringLiteral("LocalPower1"));
    EXPECT_EQ(cellText(power->list(), 1, 1), QStringLiteral("主机电源2"));
    EXPECT_EQ(cellText(dlg.zonePage()->list(), 0, 1), QStringLiteral("主机分区1"));

    // A click on the language already in use applies and saves again.
    QFile::remove(h.home.file(QStringLiteral("Config.ini")));
    clickLanguage(dlg, dlg.languagePage()->chineseRadio());
    EXPECT_EQ(h.texts.language(), 2);
    EXPECT_EQ(iniValue(h.home.file(QStringLiteral("Config.ini")), QStringLiteral("LanguageSelect"),
                       QStringLiteral("ID")),
              QStringLiteral("2"));

    clickLanguage(dlg, dlg.languagePage()->englishRadio());
    EXPECT_EQ(h.window->windowTitle(), QStringLiteral("Zone Broadcast System"));
    EXPECT_EQ(h.names.display(NameTable::Power, 1), QStringLiteral("LocalPower2"));
    EXPECT_EQ(iniValue(h.home.file(QStringLiteral("Config.ini")), QStringLiteral("LanguageSelect"),
                       QStringLiteral("ID")),
              QStringLiteral("1"));
}

TEST(OptionDialog, EmptyNameLastsForTheRunAndDefaultMarkerRestoresTheDefault) {
    UiHarness h;
    startEnglish(h);
    OptionDlg dlg(*h.context, *h.window, h.window.get());
    dlg.show();
    dlg.tabs()->setCurrentIndex(OptionDlg::ZoneTab);
    SetZoneDlg* zones = dlg.zonePage();

    rename(zones, 3, QString());
    EXPECT_EQ(cellText(zones->list(), 3, 1), QString());
    EXPECT_EQ(h.names.display(NameTable::Zones, 3), QString());
    EXPECT_EQ(storedName(h, QStringLiteral("ZoneUnit3")), QString());
    clickLanguage(dlg, dlg.languagePage()->chineseRadio());
    dlg.RefreshTexts();
    EXPECT_EQ(h.names.display(NameTable::Zones, 3), QString());
    EXPECT_EQ(cellText(zones->list(), 3, 1), QString());

    dlg.tabs()->setCurrentIndex(OptionDlg::ZoneTab);
    rename(zones, 9, QStringLiteral("大厅"));
    EXPECT_EQ(h.names.display(NameTable::Zones, 9), QStringLiteral("大厅"));
    rename(zones, 9, QStringLiteral("*#default#*"));
    EXPECT_EQ(h.names.display(NameTable::Zones, 9), QStringLiteral("扩展分区1-2"));
    EXPECT_EQ(storedName(h, QStringLiteral("ZoneUnit9")), QStringLiteral("*#default#*"));
    // The row keeps what was typed until the page's texts are refreshed.
    EXPECT_EQ(cellText(zones->list(), 9, 1), QStringLiteral("*#default#*"));
    dlg.RefreshTexts();
    EXPECT_EQ(cellText(zones->list(), 9, 1), QStringLiteral("扩展分区1-2"));

    // At the next start the empty name reads as missing: back to the default.
    SettingsFiles files(h.home.path());
    NameTables restarted;
    files.LoadNames(restarted);
    restarted.ComputeDisplayNames(h.texts);
    EXPECT_EQ(restarted.stored(NameTable::Zones, 3), QString::fromUtf16(kDefaultNameMarker));
    EXPECT_EQ(restarted.display(NameTable::Zones, 3), QStringLiteral("主机分区4"));
    EXPECT_EQ(restarted.display(NameTable::Zones, 9), QStringLiteral("扩展分区1-2"));

    // Reopening starts on the power tab and shows the names of the run.
    dlg.tabs()->setCurrentIndex(OptionDlg::LanguageTab);
    dlg.close();
    OptionDlg again(*h.context, *h.window, h.window.get());
    again.show();
    EXPECT_EQ(again.tabs()->currentIndex(), OptionDlg::PowerTab);
    EXPECT_TRUE(again.powerPage()->isVisible());
    EXPECT_EQ(again.windowTitle(), QStringLiteral("系统设置"));
    EXPECT_EQ(cellText(again.zonePage()->list(), 3, 1), QString());
    EXPECT_EQ(cellText(again.zonePage()->list(), 9, 1), QStringLiteral("扩展分区1-2"));
    EXPECT_TRUE(again.languagePage()->chineseRadio()->isChecked());
}

TEST(OptionDialog, EnterAndEscapeNeitherCloseNorPress) {
    UiHarness h;
    startEnglish(h);
    OptionDlg dlg(*h.context, *h.window, h.window.get());
    dlg.show();
    SetPowerDlg* power = dlg.powerPage();
    clickRow(power->list(), 2);
    power->edit()->setText(QStringLiteral("Amp"));

    for (QWidget* target : {static_cast<QWidget*>(&dlg), static_cast<QWidget*>(power->edit()),
                            static_cast<QWidget*>(power->list()), static_cast<QWidget*>(power->button())}) {
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
            QTest::keyClick(target, key);
            EXPECT_TRUE(dlg.isVisible()) << target->objectName().toStdString() << " key " << key;
        }
    }
    EXPECT_EQ(dlg.result(), QDialog::Rejected); // never finished
    EXPECT_EQ(h.names.stored(NameTable::Power, 2), QString::fromUtf16(kDefaultNameMarker));
    EXPECT_FALSE(QFileInfo::exists(h.home.file(QStringLiteral("Config_name.ini"))));

    // The close box ends the dialog.
    dlg.close();
    EXPECT_FALSE(dlg.isVisible());
}

TEST(OptionDialog, FailedConfigWriteIsReportedOnceNamingTheFile) {
    UiHarness h;
    startEnglish(h);
    ASSERT_TRUE(QFile::remove(h.home.file(QStringLiteral("Config.ini"))));
    ASSERT_TRUE(QDir(h.home.path()).mkdir(QStringLiteral("Config.ini")));
    OptionDlg dlg(*h.context, *h.window, h.window.get());
    dlg.show();

    rename(dlg.powerPage(), 1, QStringLiteral("Amp"));
    ASSERT_EQ(h.prompts.messages.size(), 1u);
    EXPECT_TRUE(h.prompts.messages[0].text.contains(QStringLiteral("Config.ini")))
        << h.prompts.messages[0].text.toStdString();
    EXPECT_FALSE(h.prompts.messages[0].text.contains(QStringLiteral("Config_name.ini")));
    // The name still applies for the run and reached the file that could be written.
    EXPECT_EQ(h.names.display(NameTable::Power, 1), QStringLiteral("Amp"));
    EXPECT_EQ(storedName(h, QStringLiteral("Power1")), QStringLiteral("Amp"));

    h.prompts.messages.clear();
    clickLanguage(dlg, dlg.languagePage()->chineseRadio());
    ASSERT_EQ(h.prompts.messages.size(), 1u);
    EXPECT_TRUE(h.prompts.messages[0].text.contains(QStringLiteral("Config.ini")));
    EXPECT_EQ(h.texts.language(), 2);
}

TEST(OptionDialog, OpenedFromTheToolBarItFollowsTheLanguageSwitchWithTheWholeWindow) {
    UiHarness h;
    startEnglish(h);
    CQuorvanDlg& w = *h.window;
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* dlg = qobject_cast<OptionDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(dlg, nullptr);
        EXPECT_EQ(w.optionDialog(), dlg);
        EXPECT_EQ(dlg->tabs()->currentIndex(), 0);
        dlg->tabs()->setCurrentIndex(OptionDlg::LanguageTab);
        clickLanguage(*dlg, dlg->languagePage()->chineseRadio());
        // RefreshAll re-captioned the open dialog, the window, the tree and the tool bar.
        EXPECT_EQ(dlg->windowTitle(), QStringLiteral("系统设置"));
        EXPECT_EQ(dlg->tabs()->tabText(2), QStringLiteral("语言设置"));
        EXPECT_EQ(w.windowTitle(), QStringLiteral("智能分区广播系统"));
        EXPECT_EQ(w.tree().documentItem(4)->text(0), QStringLiteral("遥控键列表"));
        EXPECT_EQ(w.toolBar().button(ToolBarDlg::SystemOption)->text(), QStringLiteral("系统设置"));
        seen = true;
        dlg->close();
    });
    QTest::mouseClick(w.toolBar().button(ToolBarDlg::SystemOption), Qt::LeftButton);
    EXPECT_TRUE(seen);
    EXPECT_EQ(w.optionDialog(), nullptr) << "the reference is cleared when the dialog closes";
    EXPECT_EQ(iniValue(h.home.file(QStringLiteral("Config.ini")), QStringLiteral("LanguageSelect"),
                       QStringLiteral("ID")),
              QStringLiteral("2"));
}
