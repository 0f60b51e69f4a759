#include "db/tables.h"

#include <gtest/gtest.h>

namespace qtr {
namespace {

GroupRecord group(const char* name, int authorised = 0) {
    GroupRecord g;
    g.groupName.setText(name);
    g.authorisedCount = authorised;
    return g;
}

GroupTable tableOf(std::initializer_list<const char*> names) {
    GroupTable t;
    for (const char* n : names) {
        t.current() = group(n);
        EXPECT_TRUE(t.append());
    }
    return t;
}

TEST(ConfigTable, EmptyTableNavigationFails) {
    GroupTable t;
    EXPECT_FALSE(t.first());
    EXPECT_FALSE(t.last());
    EXPECT_FALSE(t.next());
    EXPECT_FALSE(t.previous());
    EXPECT_FALSE(t.get(1));
    EXPECT_FALSE(t.put(1));
    EXPECT_FALSE(t.storeCurrent());
    EXPECT_EQ(t.position(), 0);
}

TEST(ConfigTable, NextOnTheLastAndPreviousOnTheFirstFailAndKeepTheCurrentRecord) {
    GroupTable t = tableOf({"A", "B", "C"});
    ASSERT_TRUE(t.last());
    t.current().authorisedCount = 99; // an edit in progress
    EXPECT_FALSE(t.next());
    EXPECT_EQ(t.position(), 3);
    EXPECT_EQ(t.current().authorisedCount, 99);

    ASSERT_TRUE(t.first());
    t.current().authorisedCount = 77;
    EXPECT_FALSE(t.previous());
    EXPECT_EQ(t.position(), 1);
    EXPECT_EQ(t.current().authorisedCount, 77);

    EXPECT_TRUE(t.next());
    EXPECT_EQ(t.current().groupName.text(), "B");
}

TEST(ConfigTable, GetCopiesWithoutMovingSelectMoves) {
    GroupTable t = tableOf({"A", "B", "C"});
    ASSERT_TRUE(t.first());
    ASSERT_TRUE(t.get(3));
    EXPECT_EQ(t.current().groupName.text(), "C");
    EXPECT_EQ(t.position(), 1);
    ASSERT_TRUE(t.select(2));
    EXPECT_EQ(t.position(), 2);
    EXPECT_FALSE(t.get(0));
    EXPECT_FALSE(t.get(4));
    EXPECT_EQ(t.current().groupName.text(), "B");
}

TEST(ConfigTable, PutAndStoreCurrentCopyBack) {
    GroupTable t = tableOf({"A", "B"});
    ASSERT_TRUE(t.select(2));
    t.current().groupName.setText("B2");
    EXPECT_EQ(t.at(2).groupName.text(), "B"); // only the working copy changed
    ASSERT_TRUE(t.storeCurrent());
    EXPECT_EQ(t.at(2).groupName.text(), "B2");
    ASSERT_TRUE(t.put(1));
    EXPECT_EQ(t.at(1).groupName.text(), "B2");
    EXPECT_FALSE(t.put(3));
}

TEST(ConfigTable, AppendStopsAtTheCapacity) {
    GroupTable t;
    for (std::size_t i = 0; i < GroupTable::kCapacity; ++i) {
        ASSERT_TRUE(t.append());
    }
    EXPECT_FALSE(t.append());
    EXPECT_EQ(t.count(), 50);
    EXPECT_EQ(t.position(), 0); // Append does not move in this table
}

TEST(ConfigTable, DeletingTheOnlyRecordLeavesNothing) {
    GroupTable t = tableOf({"A"});
    ASSERT_TRUE(t.first());
    ASSERT_TRUE(t.deleteRecord(1));
    EXPECT_EQ(t.count(), 0);
    EXPECT_EQ(t.position(), 0);
    EXPECT_EQ(t.current(), GroupRecord{});
}

TEST(ConfigTable, DeletingTheCurrentMiddleRecordMakesTheNextOneCurrent) {
    GroupTable t = tableOf({"A", "B", "C"});
    ASSERT_TRUE(t.select(2));
    ASSERT_TRUE(t.deleteRecord(2));
    EXPECT_EQ(t.count(), 2);
    EXPECT_EQ(t.position(), 2);
    EXPECT_EQ(t.current().groupName.text(), "C");
}

TEST(ConfigTable, DeletingTheLastRecordMakesTheNewLastCurrent) {
    GroupTable t = tableOf({"A", "B", "C"});
    ASSERT_TRUE(t.select(3));
    ASSERT_TRUE(t.deleteRecord(3));
    EXPECT_EQ(t.position(), 2);
    EXPECT_EQ(t.current().groupName.text(), "B");
}

TEST(ConfigTable, FailedDeleteStillClearsTheCurrentRecord) {
    GroupTable t = tableOf({"A"});
    ASSERT_TRUE(t.first());
    EXPECT_FALSE(t.deleteRecord(2));
    EXPECT_EQ(t.count(), 1);
    EXPECT_EQ(t.current(), GroupRecord{});
}

TEST(ConfigTable, ZoneAppendMovesToTheNewRecordOthersDoNot) {
    ZoneTable z;
    z.current() = ZoneRecord::named("A");
    ASSERT_TRUE(z.append());
    z.current() = ZoneRecord::named("B");
    ASSERT_TRUE(z.append());
    EXPECT_EQ(z.position(), 2);

    ControlUnitTable u;
    ASSERT_TRUE(u.append());
    EXPECT_EQ(u.position(), 0);
}

} // namespace
} // namespace qtr
