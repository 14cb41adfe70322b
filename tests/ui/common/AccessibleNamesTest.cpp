// Screen readers and scripted checks find controls by name: every control that takes the focus has one, in the
// current language.
#include "UiHarness.h"

#include "ui/dialogs/CopyDialog.h"
#include "ui/dialogs/SettingsDialog.h"
#include "ui/player/MediaTransport.h"
#include "ui/player/MusicPlayerWindow.h"
#include "ui/player/QtMediaEngine.h"
#include "ui/schedule/EntryEditor.h"
#include "ui/schedule/PowerPickerDialog.h"
#include "ui/schedule/TimingListPage.h"
#include "ui/schedule/ZonePickerDialog.h"
#include "ui/shell/AboutDialog.h"
#include "ui/shell/NavigationTree.h"
#include "ui/sources/LocalFmPage.h"
#include "ui/sources/SourcePanel.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QTimeEdit>
#include <QToolButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

using namespace quorvan;
using namespace quorvan::test;

namespace {

// The focusable widgets under root (root included) without an accessible name, as "objectName (class)".
QStringList namelessControls(QWidget* root) {
    QStringList nameless;
    QList<QWidget*> widgets = root->findChildren<QWidget*>();
    widgets.prepend(root);
    for (QWidget* w : widgets) {
        if (w->focusPolicy() == Qt::NoFocus || !w->isEnabled())
            continue;
        // The editor inside a spin box or time field hands its focus to the field, which speaks for it.
        if (w->parentWidget() && (w->parentWidget()->focusProxy() == w || w->focusProxy() == w->parentWidget()))
            continue;
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(w);
        const QString name = face ? face->text(QAccessible::Name).trimmed() : QString();
        if (name.isEmpty())
            nameless << w->objectName() + QStringLiteral(" (") + QString::fromLatin1(w->metaObject()->className()) +
                            u')';
    }
    return nameless;
}

QString nameOf(QWidget* w) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(w);
    return face ? face->text(QAccessible::Name) : QString();
}

// The text of the label a screen reader announces with the control (a combo box's own name on Linux is its
// current line; its label comes through this relation).
QString labelOf(QWidget* w) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(w);
    if (!face)
        return {};
    for (const auto& relation : face->relations(QAccessible::Label))
        return relation.first->text(QAccessible::Name);
    return {};
}

} // namespace

TEST(AccessibleNames, EveryFocusableControlOfEveryWindowHasANameInBothLanguages) {
    for (const char* ini : {"[LanguageSelect]\nID=1\n", "[LanguageSelect]\nID=2\n"}) {
        SCOPED_TRACE(ini);
        UiHarness h;
        h.writeConfig(ini);
        MainWindow& w = h.start();
        const std::uint32_t mask[9] = {};
        std::vector<std::unique_ptr<QWidget>> dialogs;
        dialogs.push_back(std::make_unique<ZonePickerDialog>(*h.context, mask));
        dialogs.push_back(std::make_unique<PowerPickerDialog>(*h.context, mask));
        dialogs.push_back(std::make_unique<CopyDialog>(*h.context, w));
        dialogs.push_back(std::make_unique<SettingsDialog>(*h.context, w));
        dialogs.push_back(std::make_unique<AboutDialog>(h.texts));
        EXPECT_EQ(namelessControls(&w).join(u", ").toStdString(), "") << "main window";
        EXPECT_EQ(namelessControls(&w.musicPlayer()).join(u", ").toStdString(), "") << "music player";
        // The player with the real engine's transport controls.
        QtMediaEngine engine;
        MusicPlayerWindow player(*h.context, engine);
        EXPECT_FALSE(engine.started()) << "the engine waits for the player's first showing";
        player.show();
        EXPECT_TRUE(engine.started());
        ASSERT_NE(player.findChild<MediaTransport*>(), nullptr);
        EXPECT_EQ(namelessControls(&player).join(u", ").toStdString(), "") << "music player with transport";
        EXPECT_EQ(player.findChild<MediaTransport*>()->stopButton()->accessibleName(), h.texts.text(218));
        EXPECT_EQ(w.tree().tree()->accessibleName(), h.texts.text(TextId::Documents));
        for (const auto& dialog : dialogs)
            EXPECT_EQ(namelessControls(dialog.get()).join(u", ").toStdString(), "")
                << dialog->metaObject()->className();
    }
}

TEST(AccessibleNames, FieldsAreNamedByTheirLabelsAndTheCopyListsTellTheirRoles) {
    for (const char* ini : {"[LanguageSelect]\nID=1\n", "[LanguageSelect]\nID=2\n"}) {
        SCOPED_TRACE(ini);
        UiHarness h;
        h.writeConfig(ini);
        MainWindow& w = h.start();
        EntryEditor& editor = w.timingPage().editor();
        EXPECT_EQ(nameOf(editor.startTime()), h.texts.text(43));
        EXPECT_EQ(nameOf(editor.endTime()), h.texts.text(44));
        EXPECT_EQ(labelOf(editor.startTime()), h.texts.text(43));
        EXPECT_EQ(labelOf(editor.sourcePanel().fmPage()->frequencyList()), h.texts.text(58));

        CopyDialog copy(*h.context, w);
        EXPECT_EQ(labelOf(copy.sourceDocuments()), h.texts.text(147));
        EXPECT_EQ(labelOf(copy.targetDocuments()), h.texts.text(148));
        EXPECT_EQ(copy.sourceEntries()->accessibleName(), h.texts.text(TextId::EntriesToCopy));
        EXPECT_EQ(copy.targetEntries()->accessibleName(), h.texts.text(TextId::WhereToCopy));
        for (QComboBox* list :
             {copy.sourceDocuments(), copy.sourceEntries(), copy.targetDocuments(), copy.targetEntries()})
            EXPECT_FALSE(nameOf(list).isEmpty()) << list->objectName().toStdString();
    }
}
