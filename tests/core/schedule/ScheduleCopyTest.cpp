#include "TestSupport.h"

#include "core/files/ScheduleFile.h"
#include "core/schedule/ScheduleCopy.h"
#include "core/texts/TextId.h"
#include "core/texts/TextTable.h"

#include <QFileInfo>

#include <gtest/gtest.h>

using namespace quorvan;
using namespace quorvan::test;

namespace {

struct CopyFixture {
    TempHome home;
    TextTable texts;
    std::unique_ptr<ScheduleModel> model;
    std::unique_ptr<ScheduleTable> source = makeTable();
    std::unique_ptr<ScheduleTable> target = makeTable();

    CopyFixture() {
        texts.loadEnglish();
        model = std::make_unique<ScheduleModel>(texts, home.path());
    }
    void write(const QString& file, int entries, std::uint32_t mark) {
        auto t = makeTable();
        for (int i = 0; i < entries; ++i) {
            TimingEntry e = exampleEntry();
            e.weekdays = mark + std::uint32_t(i);
            appendEntry(*t, e);
        }
        ASSERT_TRUE(saveTable(home.path(), file, *t).ok);
    }
    QByteArray bytes(const QString& file) const { return readFile(home.file(QStringLiteral("zone_data/") + file)); }
    CopyOutcome copy(int s, int o, int t, int v) {
        return copyEntries(home.path(), model->documents(), s, o, t, v, *source, *target);
    }
};

QStringList texts(const std::vector<EntryChoice>& choices) {
    QStringList list;
    for (const EntryChoice& c : choices)
        list << c.text;
    return list;
}

} // namespace

TEST(ScheduleCopy, EntryListsByKind) {
    TextTable t;
    t.loadEnglish();
    EXPECT_EQ(texts(sourceEntryChoices(DocumentKind::NormalSchedule, 0, t)), QStringList{QStringLiteral("[ Null ]")});
    EXPECT_EQ(texts(sourceEntryChoices(DocumentKind::NormalSchedule, 2, t)),
              (QStringList{QStringLiteral("[ All ]"), QStringLiteral(" 1"), QStringLiteral(" 2")}));
    EXPECT_EQ(texts(targetEntryChoices(DocumentKind::NormalSchedule, 0, t)), QStringList{QStringLiteral("[ New ]")});
    const auto full = targetEntryChoices(DocumentKind::NormalSchedule, 256, t);
    EXPECT_EQ(full.size(), 256u) << "no [ New ] at 256";
    EXPECT_EQ(full.back().text, QStringLiteral("256"));
    const auto remote = targetEntryChoices(DocumentKind::RemotePresets, 12, t);
    ASSERT_EQ(remote.size(), 16u);
    EXPECT_EQ(remote[0].text, QStringLiteral("Shortcut 1"));
    EXPECT_EQ(remote[4].text, QStringLiteral("Remote 1"));
    EXPECT_EQ(remote[15].text, QStringLiteral("Remote12"));
    EXPECT_EQ(remote[8].number, 4);
    t.loadChinese();
    EXPECT_EQ(sourceEntryChoices(DocumentKind::RemotePresets, 12, t)[4].text, QStringLiteral("遥控键 1"));
}

TEST(ScheduleCopy, RefusalsChangeNoFile) {
    CopyFixture f;
    f.write(QStringLiteral("SCH02.DAT"), 3, 10);
    const QByteArray before = f.bytes(QStringLiteral("SCH02.DAT"));
    EXPECT_EQ(f.copy(0, kChoiceNull, 1, 0).refusal, 155);
    EXPECT_EQ(f.copy(1, 2, 1, 2).refusal, 157);
    EXPECT_EQ(f.copy(1, kChoiceAll, 4, kChoiceAll).refusal, 156);
    EXPECT_EQ(f.bytes(QStringLiteral("SCH02.DAT")), before);
    EXPECT_FALSE(QFileInfo::exists(f.home.file(QStringLiteral("zone_data/REMOTE.DAT"))));
}

TEST(ScheduleCopy, AllOfOneScheduleReplacesAnother) {
    CopyFixture f;
    f.write(QStringLiteral("SCH01.DAT"), 4, 100);
    f.write(QStringLiteral("SCH02.DAT"), 6, 200);
    const CopyOutcome out = f.copy(0, kChoiceAll, 1, kChoiceAll);
    EXPECT_TRUE(out.copied());
    EXPECT_EQ(f.bytes(QStringLiteral("SCH02.DAT")), f.bytes(QStringLiteral("SCH01.DAT")));
}

TEST(ScheduleCopy, SingleEntriesReplaceAppendAndReachTheRemoteKeys) {
    CopyFixture f;
    f.write(QStringLiteral("SCH01.DAT"), 5, 300);
    EXPECT_TRUE(f.copy(0, 3, 0, 4).copied());
    auto t = makeTable();
    loadTable(f.home.path(), QStringLiteral("SCH01.DAT"), *t);
    EXPECT_EQ(t->count(), 5);
    EXPECT_EQ(t->entries[4].weekdays, 303u);

    const CopyOutcome append = f.copy(0, 1, 2, kChoiceNew);
    EXPECT_TRUE(append.appended);
    loadTable(f.home.path(), QStringLiteral("SCH03.DAT"), *t);
    EXPECT_EQ(t->count(), 1);
    EXPECT_EQ(t->entries[0].weekdays, 301u);

    EXPECT_TRUE(f.copy(0, 2, 4, 4).copied()); // onto "Remote 5"
    EXPECT_EQ(loadTable(f.home.path(), QStringLiteral("REMOTE.DAT"), *t), 12);
    EXPECT_EQ(t->entries[4].weekdays, 302u);
    EXPECT_EQ(t->entries[3].weekdays, 0u);
}

TEST(ScheduleCopy, AFailedOrRefusedTargetIsReportedAndNotWritten) {
    CopyFixture f;
    f.write(QStringLiteral("SCH01.DAT"), 2, 1);
    // A folder where the target file should be: the save cannot replace it.
    QDir().mkpath(f.home.file(QStringLiteral("zone_data/SCH04.DAT/x")));
    const CopyOutcome out = f.copy(0, 0, 3, kChoiceNew);
    EXPECT_EQ(out.refusal, 0);
    EXPECT_FALSE(out.save.ok);
    EXPECT_TRUE(out.save.error.contains(QStringLiteral("SCH04.DAT")));
    EXPECT_FALSE(out.copied());

    // A target that cannot be read (here a link to another file) is not written over: its content was never
    // seen, and the file it points to stays as it was.
    const QString outside = f.home.file(QStringLiteral("outside.DAT"));
    writeFile(outside, "not ours");
    ASSERT_TRUE(QFile::link(outside, f.home.file(QStringLiteral("zone_data/SCH02.DAT"))));
    const CopyOutcome linked = f.copy(0, 0, 1, kChoiceNew);
    EXPECT_FALSE(linked.save.ok);
    EXPECT_TRUE(linked.save.error.contains(QStringLiteral("symbolic link"))) << linked.save.error.toStdString();
    EXPECT_TRUE(QFileInfo(f.home.file(QStringLiteral("zone_data/SCH02.DAT"))).isSymLink());
    EXPECT_EQ(readFile(outside), QByteArray("not ours"));
}

TEST(ScheduleCopy, CopiesGoToTheEndOfAnotherScheduleOrNowhere) {
    CopyFixture f;
    f.write(QStringLiteral("SCH02.DAT"), 254, 10);
    const std::vector<TimingEntry> two(2, exampleEntry());
    EXPECT_TRUE(appendCopies(f.home.path(), f.model->documents()[1], two).copied());
    auto t = makeTable();
    ASSERT_EQ(loadTable(f.home.path(), QStringLiteral("SCH02.DAT"), *t), 256);
    EXPECT_EQ(t->entries[253].weekdays, 263u);
    EXPECT_TRUE(t->entries[255] == exampleEntry());

    // Full, or onto the remote keys, or a target that is a link: refused, nothing written.
    const QByteArray full = f.bytes(QStringLiteral("SCH02.DAT"));
    EXPECT_EQ(appendCopies(f.home.path(), f.model->documents()[1], two).refusal, TextId::ListFull);
    EXPECT_EQ(f.bytes(QStringLiteral("SCH02.DAT")), full);
    EXPECT_EQ(appendCopies(f.home.path(), f.model->documents()[4], two).refusal, TextId::CopyToAlarm);
    ASSERT_TRUE(QFile::link(f.home.file(QStringLiteral("zone_data/SCH02.DAT")),
                            f.home.file(QStringLiteral("zone_data/SCH03.DAT"))));
    const CopyOutcome linked = appendCopies(f.home.path(), f.model->documents()[2], two);
    EXPECT_FALSE(linked.save.ok);
    EXPECT_TRUE(QFileInfo(f.home.file(QStringLiteral("zone_data/SCH03.DAT"))).isSymLink());
    EXPECT_EQ(f.bytes(QStringLiteral("SCH02.DAT")), full);
}
