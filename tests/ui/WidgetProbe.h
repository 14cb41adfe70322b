#pragma once

#include <QApplication>
#include <QListWidget>
#include <QPointer>
#include <QProgressDialog>
#include <QPushButton>
#include <QStringList>
#include <QTimer>

#include "ui/compare/TransferPreviewDialog.h"

#include <functional>

#include <gtest/gtest.h>

namespace quorvan::test {

// The child control of that object name (control ids are part of the names); a missing one fails the test.
template <class W> W* findControl(const QObject* parent, const QString& name) {
    W* found = parent->findChild<W*>(name);
    EXPECT_NE(found, nullptr) << name.toStdString();
    return found;
}

inline QStringList listLines(const QListWidget* list) {
    QStringList lines;
    for (int i = 0; i < list->count(); ++i)
        lines << list->item(i)->text();
    return lines;
}

// The selected line, -1 when none.
inline int selectedListRow(const QListWidget* list) {
    const auto items = list->selectedItems();
    return items.isEmpty() ? -1 : list->row(items.first());
}

// The progress dialog on screen, if any.
inline QProgressDialog* visibleProgressDialog() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* dialog = qobject_cast<QProgressDialog*>(w); dialog && dialog->isVisible())
            return dialog;
    }
    return nullptr;
}

// The modal dialog of that kind on screen, if any.
template <class D> D* activeDialog() {
    auto* dialog = qobject_cast<D*>(QApplication::activeModalWidget());
    return dialog && dialog->isVisible() ? dialog : nullptr;
}

// Runs check every 20 ms while the code under test waits in an event loop of its own.
class Watcher {
public:
    explicit Watcher(std::function<void()> check) {
        QObject::connect(&m_timer, &QTimer::timeout, std::move(check));
        m_timer.start(20);
    }

private:
    QTimer m_timer;
};

// Presses Import (or Export) in every preview of a transfer that comes up while it lives, for tests of what the
// transfer itself does; `seen` counts them.
class AcceptTransferPreviews {
public:
    AcceptTransferPreviews()
        : m_watcher([this] {
              if (auto* dialog = qobject_cast<TransferPreviewDialog*>(QApplication::activeModalWidget());
                  dialog && dialog->isVisible() && dialog->result() == 0 && dialog != m_last) {
                  m_last = dialog;
                  ++seen;
                  dialog->transferButton()->click();
              }
          }) {}
    int seen = 0;

private:
    QPointer<TransferPreviewDialog> m_last;
    Watcher m_watcher;
};

} // namespace quorvan::test
