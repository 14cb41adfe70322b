#pragma once

#include "TestSupport.h"

#include "core/storage/CardTransfer.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <algorithm>

namespace quorvan::test {

// The eleven names Import and Export move, for the five documents of the program.
inline QStringList allNames() {
    return transferSet({QStringLiteral("SCH01.DAT"), QStringLiteral("SCH02.DAT"), QStringLiteral("SCH03.DAT"),
                        QStringLiteral("SCH04.DAT"), QStringLiteral("REMOTE.DAT")});
}

inline QStringList sorted(QStringList names) {
    std::sort(names.begin(), names.end());
    return names;
}

// Everything in folder, hidden entries and subfolders included, in binary order.
inline QStringList entriesOf(const QString& folder) {
    return sorted(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot));
}

// Bytes that differ from position to position, so a truncated or shifted copy shows.
inline QByteArray patternBytes(int size, int seed) {
    QByteArray bytes(size, Qt::Uninitialized);
    for (int i = 0; i < size; ++i)
        bytes[i] = char((i * 131 + seed * 17 + i / 251) & 0xFF);
    return bytes;
}

inline qint64 sizeOf(const QString& path) {
    return QFileInfo(path).size();
}

// A temporary home with an empty data folder and an empty card folder.
class CardFolders : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(QDir().mkpath(data()));
        ASSERT_TRUE(QDir().mkpath(card()));
    }
    QString data() const { return home.file(QStringLiteral("zone_data")); }
    QString card() const { return home.file(QStringLiteral("card")); }
    QString inData(const QString& name) const { return data() + u'/' + name; }
    QString onCard(const QString& name) const { return card() + u'/' + name; }

    TempHome home;
};

} // namespace quorvan::test
