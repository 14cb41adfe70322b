#pragma once

#include <QListWidget>
#include <QStringList>

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

} // namespace quorvan::test
