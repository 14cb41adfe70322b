#include "ui/common/QtPrompts.h"

#include <QDesktopServices>
#include <QUrl>

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>

namespace quorvan {

QWidget* QtPrompts::owner() const {
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal; // a box raised from a modal dialog belongs to that dialog
    return m_owner.data();
}

void QtPrompts::message(const QString& caption, const QString& text, Icon icon) {
    QMessageBox box(owner());
    box.setWindowTitle(caption);
    box.setText(text);
    switch (icon) {
    case Icon::None:
        box.setIcon(QMessageBox::NoIcon);
        break;
    case Icon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case Icon::Warning:
        box.setIcon(QMessageBox::Warning);
        break;
    case Icon::Stop:
        box.setIcon(QMessageBox::Critical);
        break;
    case Icon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
}

int QtPrompts::question(const QString& caption, const QString& text, const QStringList& buttons, int cancelIndex) {
    QMessageBox box(owner());
    box.setWindowTitle(caption);
    box.setText(text);
    box.setIcon(QMessageBox::Question);
    QList<QAbstractButton*> added;
    for (int i = 0; i < buttons.size(); ++i) {
        const QMessageBox::ButtonRole role = i == cancelIndex ? QMessageBox::RejectRole
                                             : i == 0         ? QMessageBox::AcceptRole
                                                              : QMessageBox::DestructiveRole;
        added << box.addButton(buttons[i], role);
    }
    if (!added.isEmpty())
        box.setDefaultButton(qobject_cast<QPushButton*>(added.first()));
    if (cancelIndex >= 0 && cancelIndex < added.size())
        box.setEscapeButton(added[cancelIndex]);
    box.exec();
    const qsizetype chosen = added.indexOf(box.clickedButton());
    return chosen >= 0 ? int(chosen) : cancelIndex;
}

bool QtPrompts::choosePrinter(QPrinter& printer, const QString& title) {
    QPrintDialog dialog(&printer, owner());
    dialog.setWindowTitle(title);
    return dialog.exec() == QDialog::Accepted;
}

QString QtPrompts::chooseFolder(const QString& title) {
    return QFileDialog::getExistingDirectory(owner(), title, QString(), QFileDialog::ShowDirsOnly);
}

QStringList QtPrompts::chooseFiles(const QString& title, const QString& filter) {
    QFileDialog dialog(owner(), title, QString(), filter);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    // Qt matches name filters in any letter case (QDir::CaseSensitive is not set), so "A.MP3" and "b.mp3"
    // are both music files.
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.selectedFiles();
}

QString QtPrompts::chooseOpenFile(const QString& title, const QString& filter) {
    QFileDialog dialog(owner(), title, QString(), filter);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}

QString QtPrompts::chooseSaveFile(const QString& title, const QString& filter, const QString& suggested) {
    QFileDialog dialog(owner(), title, suggested, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave); // asks before replacing a file
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QFileInfo(suggested).suffix());
    dialog.selectFile(suggested);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}

bool QtPrompts::openDocument(const QString& path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

} // namespace quorvan
