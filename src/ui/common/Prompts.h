#pragma once

#include <QString>
#include <QStringList>

class QPrinter;

namespace quorvan {

// Everything a window asks the user through a modal system dialog. Production shows Qt's dialogs; tests answer
// from a script, because a modal dialog would block them.
class Prompts {
public:
    enum class Icon { None, Information, Warning, Stop, Question };

    virtual ~Prompts() = default;

    // A modal message box with an OK button.
    virtual void message(const QString& caption, const QString& text, Icon icon) = 0;
    // A modal question with one button per text, the first the default. Returns the index of the button chosen,
    // or cancelIndex when the box is closed without a choice (Escape, the close box).
    virtual int question(const QString& caption, const QString& text, const QStringList& buttons, int cancelIndex) = 0;
    // The printer (and its settings) chosen for printing; false when cancelled.
    virtual bool choosePrinter(QPrinter& printer, const QString& title) = 0;
    // A folder chosen by the user; empty when cancelled.
    virtual QString chooseFolder(const QString& title) = 0;
    // Files chosen by the user (full paths, in the dialog's order); empty when cancelled. filter is a Qt
    // name filter such as "Music (*.mp3 *.wav)".
    virtual QStringList chooseFiles(const QString& title, const QString& filter) = 0;
    // One existing file chosen by the user (full path); empty when cancelled.
    virtual QString chooseOpenFile(const QString& title, const QString& filter) = 0;
    // The path of a file to write, chosen by the user (who has agreed to replace it if it exists); empty when
    // cancelled. suggested is the path offered first; its suffix is added to a name typed without one.
    virtual QString chooseSaveFile(const QString& title, const QString& filter, const QString& suggested) = 0;
    // Opens a document (the manual) in the desktop's program for it; false when none took it.
    virtual bool openDocument(const QString& path) = 0;
};

} // namespace quorvan
