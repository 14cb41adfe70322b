#include "UiHarness.h"

#include "core/settings/IniFile.h"
#include "ui/common/ListSupport.h"
#include "ui/dialogs/LanguagePage.h"
#include "ui/dialogs/NamesPage.h"
#include "ui/dialogs/SettingsDialog.h"
#include "ui/shell/NavigationTree.h"
#include "ui/shell/ToolBar.h"
#include "ui/widgets/IconButton.h"

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
void rename(NamesPage* page, int row, const QString& text) {
    clickRow(page->list(), row);
    page->edit()->setText(text); // typed texts may hold characters a key click cannot produce
    QTest::mouseClick(page->button(), Qt::LeftButton);
}

void clickLanguage(SettingsDialog& dialog, QRadioButton* radio) {
    dialog.tabs()->setCurrentIndex(SettingsDialog::LanguageTab);
    QCoreApplication::processEvents(); // lays out the page that just became visible
    // A radio button answers clicks on its indicator and caption only.
    QTest::mouseClick(radio, Qt::LeftButton, {}, QPoint(8, radio->height() / 2));
}

std::optional<QString> iniValue(const QString& path, const QString& section, const QString& key) {
    return IniFile::load(path).value(section, key);
}

QString storedName(const UiHarness& h, const QString& section) {
    return iniValue(h.home.file(QStringLiteral("Config_name.ini")), section, QStringLiteral("name"))
        .value_or(QStringLiteral("<missing>"));
}

} // namespace

TEST(SettingsDialog, BuildsThreeTabsOnPowerNamesWithTheLanguagesTexts) {
    UiHarness h;
    startEnglish(h);
    SettingsDialog dialog(*h.context, *h.window, h.window.get());
    dialog.show();

    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("System Option"));
    QTabWidget* tabs = dialog.findChild<QTabWidget*>(QStringLiteral("settingsTabs"));
    ASSERT_EQ(tabs, dialog.tabs());
    ASSERT_EQ(tabs->count(), 3);
    EXPECT_EQ(tabs->tabText(0), QStringLiteral("Power Name"));
    EXPECT_EQ(tabs->tabText(1), QStringLiteral("Zone Name"));
    EXPECT_EQ(tabs->tabText(2), QStringLiteral("Setting Language"));
    EXPECT_EQ(tabs->widget(0), dialog.powerPage());
    EXPECT_EQ(tabs->widget(1), dialog.zonePage());
    EXPECT_EQ(tabs->widget(2), dialog.languagePage());
    EXPECT_EQ(tabs->currentIndex(), 0);
    EXPECT_TRUE(dialog.powerPage()->isVisible());
    EXPECT_FALSE(dialog.zonePage()->isVisible());
    EXPECT_FALSE(dialog.languagePage()->isVisible());
    tabs->setCurrentIndex(1);
    EXPECT_FALSE(dialog.powerPage()->isVisible());
    EXPECT_TRUE(dialog.zonePage()->isVisible());
    EXPECT_EQ(dialog.findChildren<QPushButton*>().size(), 2) << "no OK or Cancel, only the two Enter buttons";

    struct PageCase {
        NamesPage* page;
        const char* group;
        const char* list;
        const char* edit;
        const char* label;
        const char* button;
        const char16_t* title;
        int rows;
        const char16_t* last;
    } pages[] = {
        {dialog.powerPage(), "powerNamesGroup", "powerNamesList", "powerNamesEdit", "powerNamesLabel",
         "powerNamesButton", u"Setting Power", 37, u"Ext.Power2-16"},
        {dialog.zonePage(), "zoneNamesGroup", "zoneNamesList", "zoneNamesEdit", "zoneNamesLabel", "zoneNamesButton",
         u"Setting Zone", 40, u"Ext.Zone2-16"},
    };
    for (const PageCase& c : pages) {
        NamesPage* page = c.page;
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
        EXPECT_GE(list->columnWidth(0), 50); // widened to its heading: "Number" does not fit 50 px
        ASSERT_EQ(list->rowCount(), c.rows);
        EXPECT_EQ(cellText(list, 0, 0), QStringLiteral("1"));
        EXPECT_EQ(cellText(list, c.rows - 1, 0), QString::number(c.rows));
        EXPECT_EQ(cellText(list, c.rows - 1, 1), QString::fromUtf16(c.last));
    }
    EXPECT_EQ(cellText(dialog.powerPage()->list(), 4, 1), QStringLiteral("Syn.Power"));

    LanguagePage* language = dialog.languagePage();
    EXPECT_EQ(language->findChild<QGroupBox*>(QStringLiteral("languageGroup"))->title(),
              QStringLiteral("Setting Language"));
    EXPECT_EQ(language->findChild<QRadioButton*>(QStringLiteral("englishChoice")), language->englishRadio());
    EXPECT_EQ(language->findChild<QRadioButton*>(QStringLiteral("chineseChoice")), language->chineseRadio());
    EXPECT_EQ(language->englishRadio()->text(), QStringLiteral("English"));
    EXPECT_EQ(language->chineseRadio()->text(), QStringLiteral("简体中文"));
    EXPECT_TRUE(language->englishRadio()->isChecked());
    EXPECT_FALSE(language->chineseRadio()->isChecked());

    // In Chinese the other radio starts checked; the radios keep their captions.
    UiHarness zh;
    zh.start();
    SettingsDialog zhDialog(*zh.context, *zh.window, zh.window.get());
    EXPECT_EQ(zhDialog.windowTitle(), QStringLiteral("系统设置"));
    EXPECT_TRUE(zhDialog.languagePage()->chineseRadio()->isChecked());
    EXPECT_FALSE(zhDialog.languagePage()->englishRadio()->isChecked());
    EXPECT_EQ(zhDialog.languagePage()->englishRadio()->text(), QStringLiteral("English"));
    EXPECT_EQ(cellText(zhDialog.zonePage()->list(), 8, 1), QStringLiteral("扩展分区1-1"));
}

TEST(SettingsDialog, UnchangedDefaultNameIsStoredAndNoLongerFollowsTheLanguage) {
    UiHarness h;
    startEnglish(h);
    SettingsDialog dialog(*h.context, *h.window, h.window.get());
    dialog.show();
    NamesPage* power = dialog.powerPage();

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

    clickLanguage(dialog, dialog.languagePage()->chineseRadio());
    EXPECT_EQ(h.texts.language(), 2);
    EXPECT_EQ(h.window->windowTitle(), QStringLiteral("智能分区广播系统"));
    EXPECT_EQ(
        iniValue(h.home.file(QStringLiteral("Config.ini")), QStringLiteral("LanguageSelect"), QStringLiteral("ID")),
        QStringLiteral("2"));
    EXPECT_EQ(h.names.display(NameTable::Power, 0), QStringLiteral("LocalPower1"));
    EXPECT_EQ(h.names.display(NameTable::Power, 1), QStringLiteral("主机电源2"));

    // The main window re-captions the open dialog through retranslate.
    dialog.retranslate();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("系统设置"));
    EXPECT_EQ(dialog.tabs()->tabText(0), QStringLiteral("电源命名"));
    EXPECT_EQ(dialog.tabs()->tabText(1), QStringLiteral("分区命名"));
    EXPECT_EQ(dialog.tabs()->tabText(2), QStringLiteral("语言设置"));
    EXPECT_EQ(dialog.languagePage()->group()->title(), QStringLiteral("语言设置"));
    EXPECT_EQ(power->group()->title(), QStringLiteral("电源设定"));
    EXPECT_EQ(power->button()->text(), QStringLiteral("确定"));
    EXPECT_EQ(power->list()->horizontalHeaderItem(0)->text(), QStringLiteral("序号"));
    EXPECT_EQ(cellText(power->list(), 0, 1), QStringLiteral("LocalPower1"));
    EXPECT_EQ(cellText(power->list(), 1, 1), QStringLiteral("主机电源2"));
    EXPECT_EQ(cellText(dialog.zonePage()->list(), 0, 1), QStringLiteral("主机分区1"));

    // A click on the language already in use applies and saves again.
    QFile::remove(h.home.file(QStringLiteral("Config.ini")));
    clickLanguage(dialog, dialog.languagePage()->chineseRadio());
    EXPECT_EQ(h.texts.language(), 2);
    EXPECT_EQ(
        iniValue(h.home.file(QStringLiteral("Config.ini")), QStringLiteral("LanguageSelect"), QStringLiteral("ID")),
        QStringLiteral("2"));

    clickLanguage(dialog, dialog.languagePage()->englishRadio());
    EXPECT_EQ(h.window->windowTitle(), QStringLiteral("Zone Broadcast System"));
    EXPECT_EQ(h.names.display(NameTable::Power, 1), QStringLiteral("LocalPower2"));
    EXPECT_EQ(
        iniValue(h.home.file(QStringLiteral("Config.ini")), QStringLiteral("LanguageSelect"), QStringLiteral("ID")),
        QStringLiteral("1"));
}

TEST(SettingsDialog, EmptyNameLastsForTheRunAndDefaultMarkerRestoresTheDefault) {
    UiHarness h;
    startEnglish(h);
    SettingsDialog dialog(*h.context, *h.window, h.window.get());
    dialog.show();
    dialog.tabs()->setCurrentIndex(SettingsDialog::ZoneTab);
    NamesPage* zones = dialog.zonePage();

    rename(zones, 3, QString());
    EXPECT_EQ(cellText(zones->list(), 3, 1), QString());
    EXPECT_EQ(h.names.display(NameTable::Zones, 3), QString());
    EXPECT_EQ(storedName(h, QStringLiteral("ZoneUnit3")), QString());
    clickLanguage(dialog, dialog.languagePage()->chineseRadio());
    dialog.retranslate();
    EXPECT_EQ(h.names.display(NameTable::Zones, 3), QString());
    EXPECT_EQ(cellText(zones->list(), 3, 1), QString());

    dialog.tabs()->setCurrentIndex(SettingsDialog::ZoneTab);
    rename(zones, 9, QStringLiteral("大厅"));
    EXPECT_EQ(h.names.display(NameTable::Zones, 9), QStringLiteral("大厅"));
    rename(zones, 9, QStringLiteral("*#default#*"));
    EXPECT_EQ(h.names.display(NameTable::Zones, 9), QStringLiteral("扩展分区1-2"));
    EXPECT_EQ(storedName(h, QStringLiteral("ZoneUnit9")), QStringLiteral("*#default#*"));
    // The row keeps what was typed until the page's texts are refreshed.
    EXPECT_EQ(cellText(zones->list(), 9, 1), QStringLiteral("*#default#*"));
    dialog.retranslate();
    EXPECT_EQ(cellText(zones->list(), 9, 1), QStringLiteral("扩展分区1-2"));

    // At the next start the empty name reads as missing: back to the default.
    SettingsFiles files(h.home.path());
    NameTables restarted;
    files.loadNames(restarted);
    restarted.computeDisplayNames(h.texts);
    EXPECT_EQ(restarted.stored(NameTable::Zones, 3), QString::fromUtf16(kDefaultNameMarker));
    EXPECT_EQ(restarted.display(NameTable::Zones, 3), QStringLiteral("主机分区4"));
    EXPECT_EQ(restarted.display(NameTable::Zones, 9), QStringLiteral("扩展分区1-2"));

    // Reopening starts on the power tab and shows the names of the run.
    dialog.tabs()->setCurrentIndex(SettingsDialog::LanguageTab);
    dialog.close();
    SettingsDialog again(*h.context, *h.window, h.window.get());
    again.show();
    EXPECT_EQ(again.tabs()->currentIndex(), SettingsDialog::PowerTab);
    EXPECT_TRUE(again.powerPage()->isVisible());
    EXPECT_EQ(again.windowTitle(), QStringLiteral("系统设置"));
    EXPECT_EQ(cellText(again.zonePage()->list(), 3, 1), QString());
    EXPECT_EQ(cellText(again.zonePage()->list(), 9, 1), QStringLiteral("扩展分区1-2"));
    EXPECT_TRUE(again.languagePage()->chineseRadio()->isChecked());
}

TEST(SettingsDialog, EnterAndEscapeNeitherCloseNorPress) {
    UiHarness h;
    startEnglish(h);
    SettingsDialog dialog(*h.context, *h.window, h.window.get());
    dialog.show();
    NamesPage* power = dialog.powerPage();
    clickRow(power->list(), 2);
    power->edit()->setText(QStringLiteral("Amp"));

    for (QWidget* target : {static_cast<QWidget*>(&dialog), static_cast<QWidget*>(power->edit()),
                            static_cast<QWidget*>(power->list()), static_cast<QWidget*>(power->button())}) {
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
            QTest::keyClick(target, key);
            EXPECT_TRUE(dialog.isVisible()) << target->objectName().toStdString() << " key " << key;
        }
    }
    EXPECT_EQ(dialog.result(), QDialog::Rejected); // never finished
    EXPECT_EQ(h.names.stored(NameTable::Power, 2), QString::fromUtf16(kDefaultNameMarker));
    EXPECT_FALSE(QFileInfo::exists(h.home.file(QStringLiteral("Config_name.ini"))));

    // The close box ends the dialog.
    dialog.close();
    EXPECT_FALSE(dialog.isVisible());
}

TEST(SettingsDialog, FailedConfigWriteIsReportedOnceNamingTheFile) {
    UiHarness h;
    startEnglish(h);
    ASSERT_TRUE(QFile::remove(h.home.file(QStringLiteral("Config.ini"))));
    ASSERT_TRUE(QDir(h.home.path()).mkdir(QStringLiteral("Config.ini")));
    SettingsDialog dialog(*h.context, *h.window, h.window.get());
    dialog.show();

    rename(dialog.powerPage(), 1, QStringLiteral("Amp"));
    ASSERT_EQ(h.prompts.messages.size(), 1u);
    EXPECT_TRUE(h.prompts.messages[0].text.contains(QStringLiteral("Config.ini")))
        << h.prompts.messages[0].text.toStdString();
    EXPECT_FALSE(h.prompts.messages[0].text.contains(QStringLiteral("Config_name.ini")));
    // The name still applies for the run and reached the file that could be written.
    EXPECT_EQ(h.names.display(NameTable::Power, 1), QStringLiteral("Amp"));
    EXPECT_EQ(storedName(h, QStringLiteral("Power1")), QStringLiteral("Amp"));

    h.prompts.messages.clear();
    clickLanguage(dialog, dialog.languagePage()->chineseRadio());
    ASSERT_EQ(h.prompts.messages.size(), 1u);
    EXPECT_TRUE(h.prompts.messages[0].text.contains(QStringLiteral("Config.ini")));
    EXPECT_EQ(h.texts.language(), 2);

    // A full disk fails both files: one message names both.
    h.prompts.messages.clear();
    {
        const FileSizeLimit full(1);
        clickLanguage(dialog, dialog.languagePage()->englishRadio());
    }
    ASSERT_EQ(h.prompts.messages.size(), 1u);
    EXPECT_TRUE(h.prompts.messages[0].text.contains(QStringLiteral("Config.ini")));
    EXPECT_TRUE(h.prompts.messages[0].text.contains(QStringLiteral("Config_name.ini")));
}

TEST(SettingsDialog, OpenedFromTheToolBarItFollowsTheLanguageSwitchWithTheWholeWindow) {
    UiHarness h;
    startEnglish(h);
    MainWindow& w = *h.window;
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<SettingsDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(w.settingsDialog(), dialog);
        EXPECT_EQ(dialog->tabs()->currentIndex(), 0);
        dialog->tabs()->setCurrentIndex(SettingsDialog::LanguageTab);
        clickLanguage(*dialog, dialog->languagePage()->chineseRadio());
        // retranslateAll re-captioned the open dialog, the window, the tree and the tool bar.
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("系统设置"));
        EXPECT_EQ(dialog->tabs()->tabText(2), QStringLiteral("语言设置"));
        EXPECT_EQ(w.windowTitle(), QStringLiteral("智能分区广播系统"));
        EXPECT_EQ(w.tree().documentItem(4)->text(0), QStringLiteral("遥控键列表"));
        EXPECT_EQ(w.toolBar().button(ToolBar::SystemOption)->text(), QStringLiteral("系统设置"));
        seen = true;
        dialog->close();
    });
    QTest::mouseClick(w.toolBar().button(ToolBar::SystemOption), Qt::LeftButton);
    EXPECT_TRUE(seen);
    EXPECT_EQ(w.settingsDialog(), nullptr) << "the reference is cleared when the dialog closes";
    EXPECT_EQ(
        iniValue(h.home.file(QStringLiteral("Config.ini")), QStringLiteral("LanguageSelect"), QStringLiteral("ID")),
        QStringLiteral("2"));
}
