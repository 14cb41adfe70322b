#include "TestSupport.h"

#include "core/schedule/ScheduleDocument.h"

#include <gtest/gtest.h>

#include <vector>

using namespace quorvan;
using namespace quorvan::test;

namespace {

TimingEntry numbered(std::uint32_t n) {
    TimingEntry e = exampleEntry();
    e.weekdays = n;
    return e;
}

// The weekdays of every entry: which entries the document holds, in order.
std::vector<std::uint32_t> order(const ScheduleDocument& d) {
    std::vector<std::uint32_t> v;
    for (int i = 0; i < d.count(); ++i)
        v.push_back(d.entry(i).weekdays);
    return v;
}

struct Recorder {
    std::vector<EntriesChange> changes;
    explicit Recorder(ScheduleDocument& d) {
        QObject::connect(&d, &ScheduleDocument::entriesChanged,
                         [this](const EntriesChange& c) { changes.push_back(c); });
    }
    // Kind, index and target of the last change.
    std::tuple<EntriesChange::Kind, int, int> last() const {
        return {changes.back().kind, changes.back().index, changes.back().to};
    }
};

} // namespace

TEST(ScheduleDocument, EveryChangeGoesThroughAMethodThatSaysWhatItChanged) {
    ScheduleDocument d;
    d.replaceAll({DocumentKind::NormalSchedule, QStringLiteral("Schedule1"), QStringLiteral("SCH01.DAT")}, {});
    Recorder r(d);
    for (std::uint32_t i = 1; i <= 4; ++i)
        ASSERT_TRUE(d.append(numbered(i)));
    EXPECT_EQ(r.last(), std::make_tuple(EntriesChange::Appended, 3, -1));

    EXPECT_TRUE(d.insert(1, numbered(9)));
    EXPECT_EQ(order(d), (std::vector<std::uint32_t>{1, 9, 2, 3, 4}));
    EXPECT_EQ(r.last(), std::make_tuple(EntriesChange::Inserted, 1, -1));
    EXPECT_TRUE(d.move(0, 4));
    EXPECT_EQ(order(d), (std::vector<std::uint32_t>{9, 2, 3, 4, 1}));
    EXPECT_EQ(r.last(), std::make_tuple(EntriesChange::Moved, 0, 4));
    EXPECT_TRUE(d.move(3, 1));
    EXPECT_EQ(order(d), (std::vector<std::uint32_t>{9, 4, 2, 3, 1}));
    EXPECT_TRUE(d.replace(2, numbered(7)));
    EXPECT_EQ(r.last(), std::make_tuple(EntriesChange::Replaced, 2, -1));
    EXPECT_TRUE(d.remove(0));
    EXPECT_EQ(order(d), (std::vector<std::uint32_t>{4, 7, 3, 1}));
    EXPECT_EQ(r.last(), std::make_tuple(EntriesChange::Removed, 0, -1));

    // Outside the entries: refused, nothing said.
    const std::size_t said = r.changes.size();
    EXPECT_FALSE(d.insert(5, numbered(1)));
    EXPECT_FALSE(d.insert(-1, numbered(1)));
    EXPECT_FALSE(d.replace(4, numbered(1)));
    EXPECT_FALSE(d.remove(4));
    EXPECT_FALSE(d.move(0, 4));
    EXPECT_FALSE(d.move(-1, 0));
    EXPECT_EQ(r.changes.size(), said);
    EXPECT_EQ(order(d), (std::vector<std::uint32_t>{4, 7, 3, 1}));

    // A full schedule takes no more, at the end or inside.
    while (!d.isFull())
        d.append(numbered(5));
    EXPECT_EQ(d.count(), 256);
    EXPECT_FALSE(d.append(numbered(6)));
    EXPECT_FALSE(d.insert(0, numbered(6)));
    EXPECT_EQ(d.entry(0).weekdays, 4u);
}

TEST(ScheduleDocument, TheRemoteKeysAreAlwaysTwelvePresetsAndDeletingEmptiesOne) {
    ScheduleDocument d;
    Recorder r(d);
    ScheduleTable fourteen;
    for (std::uint32_t i = 1; i <= 14; ++i)
        fourteen.entries.push_back(numbered(i));
    d.replaceAll({DocumentKind::RemotePresets, QStringLiteral("Remote"), QStringLiteral("REMOTE.DAT")}, fourteen);
    EXPECT_EQ(r.last(), std::make_tuple(EntriesChange::Reset, -1, -1));
    EXPECT_EQ(d.count(), 12);
    EXPECT_EQ(d.entry(11).weekdays, 12u);

    d.replaceAll(d.info(), ScheduleTable{{numbered(1), numbered(2)}});
    ASSERT_EQ(d.count(), 12);
    EXPECT_TRUE(d.entry(1).used);
    EXPECT_FALSE(d.entry(2).used) << "presets the file lacks are empty";

    EXPECT_FALSE(d.append(numbered(3)));
    EXPECT_FALSE(d.insert(0, numbered(3)));
    EXPECT_TRUE(d.remove(1));
    EXPECT_EQ(d.count(), 12) << "the key stays";
    EXPECT_TRUE(d.entry(1) == TimingEntry{});
    EXPECT_EQ(r.last(), std::make_tuple(EntriesChange::Replaced, 1, -1));
}
