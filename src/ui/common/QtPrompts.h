#pragma once

#include "ui/common/Prompts.h"

#include <QPointer>
#include <QWidget>

namespace quorvan {

// The Prompts of the running program: Qt's message boxes and file dialogs, owned by a parent window.
class QtPrompts : public Prompts {
public:
    explicit QtPrompts(QWidget* owner = nullptr) : m_owner(owner) {}
    void setOwner(QWidget* owner) { m_owner = owner; }

    void message(const QString& caption, const QString& text, Icon icon) override;
    int question(const QString& caption, const QString& text, const QStringList& buttons, int cancelIndex) override;
    bool choosePrinter(QPrinter& printer, const QString& title) override;
    QString chooseFolder(const QString& title) override;
    QStringList chooseFiles(const QString& title, const QString& filter) override;
    QString chooseOpenFile(const QString& title, const QString& filter) override;
    QString chooseSaveFile(const QString& title, const QString& filter, const QString& suggested) override;
    bool openDocument(const QString& path) override;

private:
    QWidget* owner() const;
    QPointer<QWidget> m_owner;
};

} // namespace quorvan
