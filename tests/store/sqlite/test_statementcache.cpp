#include "store/storeerror.h"
#include "tests/store/sqlitedatabase.h"
#include "store/sqlite/statementcache.h"

#include <gtest/gtest.h>

using store::StatementCache;

TEST(StatementCache, GivenBackStatementIsReusedForTheSameText)
{
    SqliteDatabase db;
    StatementCache cache;
    auto first = cache.take(db.handle(), "select 1");
    sqlite3_stmt *prepared = first.statement.get();
    cache.give(std::move(first));
    EXPECT_EQ(cache.take(db.handle(), "select 1").statement.get(), prepared);
}

TEST(StatementCache, StatementInUseIsNotHandedOutTwice)
{
    SqliteDatabase db;
    StatementCache cache;
    auto a = cache.take(db.handle(), "select 1");
    auto b = cache.take(db.handle(), "select 1");
    EXPECT_NE(a.statement.get(), b.statement.get());
    cache.give(std::move(a));
    cache.give(std::move(b));
    EXPECT_EQ(cache.size(), 1u); // the duplicate was finalised
}

TEST(StatementCache, GivenBackStatementIsResetAndUnbound)
{
    SqliteDatabase db;
    StatementCache cache;
    auto e = cache.take(db.handle(), "select ?");
    sqlite3_bind_int(e.statement.get(), 1, 42);
    ASSERT_EQ(sqlite3_step(e.statement.get()), SQLITE_ROW);
    cache.give(std::move(e));
    auto again = cache.take(db.handle(), "select ?");
    ASSERT_EQ(sqlite3_step(again.statement.get()), SQLITE_ROW);
    EXPECT_EQ(sqlite3_column_type(again.statement.get(), 0), SQLITE_NULL);
    cache.give(std::move(again));
}

TEST(StatementCache, LeastRecentlyUsedIsDroppedFirst)
{
    SqliteDatabase db;
    StatementCache cache(2);
    auto a = cache.take(db.handle(), "select 1");
    auto b = cache.take(db.handle(), "select 2");
    sqlite3_stmt *kept = b.statement.get();
    cache.give(std::move(a));
    cache.give(std::move(b));
    cache.give(cache.take(db.handle(), "select 3")); // drops "select 1"
    EXPECT_EQ(cache.size(), 2u);
    EXPECT_EQ(cache.take(db.handle(), "select 2").statement.get(), kept);
}

TEST(StatementCache, AnotherConnectionEmptiesTheCache)
{
    SqliteDatabase one, two;
    StatementCache cache;
    cache.give(cache.take(one.handle(), "select 1"));
    auto other = cache.take(two.handle(), "select 1");
    EXPECT_EQ(sqlite3_db_handle(other.statement.get()), two.handle());
    cache.give(std::move(other));
    EXPECT_EQ(cache.size(), 1u);
}

TEST(StatementCache, RefusesASecondStatementAfterTheFirst)
{
    SqliteDatabase db;
    StatementCache cache;
    EXPECT_THROW(cache.take(db.handle(), "select 1; select 2"), store::StoreError);
    EXPECT_THROW(cache.take(db.handle(), "select 1; nonsense"), store::StoreError);
    // A separator, white space and comments after the statement are fine.
    EXPECT_NO_THROW(cache.give(cache.take(db.handle(), "select 1 ; -- done\n ; /* end */")));
}

TEST(StatementCache, RefusesEmptyAndMalformedText)
{
    SqliteDatabase db;
    StatementCache cache;
    EXPECT_THROW(cache.take(db.handle(), ""), store::StoreError);
    EXPECT_THROW(cache.take(db.handle(), "  -- nothing\n"), store::StoreError);
    EXPECT_THROW(cache.take(db.handle(), "selec 1"), store::StoreError);
    EXPECT_EQ(cache.size(), 0u);
}
