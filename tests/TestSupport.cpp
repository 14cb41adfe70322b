#include "TestSupport.h"

#include "core/schedule/ScheduleModel.h"

#include <QFile>

#include <gtest/gtest.h>

#include <cstring>

namespace quorvan::test {

QString dataPath(const QString& name) {
    return QStringLiteral(QUORVAN_TEST_DATA "/") + name;
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}

TempHome::TempHome() {
    EXPECT_TRUE(m_dir.isValid());
}

TimingEntry exampleEntry() {
    TimingEntry e{};
    e.used = 1;
    e.weekdays = 0x3E;
    e.startHour = 8;
    e.endHour = 8;
    e.endMinute = 30;
    e.zoneMask[0] = 1;
    e.sourceMask = 1;
    e.playlistOnCard = true;
    e.playlist = {QStringLiteral("a.mp3")};
    return e;
}

QByteArray exampleFileBytes() {
    QByteArray b(4904, '\0');
    auto put = [&](int at, std::initializer_list<int> bytes) {
        for (int v : bytes)
            b[at++] = char(v);
    };
    put(0, {0xAA, 0x55, 0x01, 0x00, 0x01, 0x00, 0x00, 0x00});
    put(8, {0x08, 0x10, 0x00, 0x00, 0x20, 0x03, 0x00, 0x00});
    put(4104, {0x3E, 0x00, 0x00, 0x00, 0x08, 0x00, 0x00, 0x08, 0x1E, 0x00, 0x00, 0x00});
    put(4104 + 48, {0x01, 0x00, 0x00, 0x00});
    put(4104 + 84, {0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00});
    put(4280, {0x45, 0x3A, 0x5C, 0x00});
    put(4280 + 102, {0x61, 0x00, 0x2E, 0x00, 0x6D, 0x00, 0x70, 0x00, 0x33, 0x00, 0x00, 0x00});
    return b;
}

std::unique_ptr<ScheduleTable> zeroTable() {
    return makeTable();
}

} // namespace quorvan::test
