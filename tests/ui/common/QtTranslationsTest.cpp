// Qt's own dialogs follow the program's language: their buttons read 确定 / 取消 / 打开 in Chinese.
#include "UiHarness.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

#include <gtest/gtest.h>

using namespace quorvan;
using namespace quorvan::test;

namespace {

QStringList messageBoxButtons() {
    QMessageBox box;
    box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
    return {box.button(QMessageBox::Ok)->text(), box.button(QMessageBox::Cancel)->text()};
}

QString fileDialogAcceptButton() {
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    auto* buttons = dialog.findChild<QDialogButtonBox*>();
    return buttons ? buttons->button(QDialogButtonBox::Open)->text() : QString();
}

} // namespace

TEST(QtTranslations, QtsDialogsSpeakChineseInTheChineseProgramAndEnglishAfterASwitch) {
    UiHarness h;
    h.writeConfig("[LanguageSelect]\nID=2\n");
    MainWindow& w = h.start();
    EXPECT_EQ(messageBoxButtons(), (QStringList{QStringLiteral("确定"), QStringLiteral("取消")}));
    EXPECT_TRUE(fileDialogAcceptButton().contains(QStringLiteral("打开"))) << fileDialogAcceptButton().toStdString();

    h.texts.loadEnglish();
    w.retranslateAll();
    EXPECT_EQ(messageBoxButtons(), (QStringList{QStringLiteral("OK"), QStringLiteral("Cancel")}));
    EXPECT_TRUE(fileDialogAcceptButton().contains(QStringLiteral("Open"))) << fileDialogAcceptButton().toStdString();

    h.texts.loadChinese();
    w.retranslateAll();
    EXPECT_EQ(messageBoxButtons().value(1), QStringLiteral("取消"));
}
