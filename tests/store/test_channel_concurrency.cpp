#include "tests/store/channelfixture.h"

#include "tests/store/sqlitedatabase.h"

#include <future>
#include <thread>

using namespace Qt::Literals::StringLiterals;

TEST_F(ChannelTest, TwoProgramsShareTheFile)
{
    store::Connection secondConnection(scratch.path());
    store::QueryChannel second(secondConnection);
    channel.exec(uR"(insert into tab(fam) values("Первая"))"_s);
    second.exec(uR"(insert into tab(fam) values("Вторая"))"_s);
    channel.run(uR"(select * from tab where fam="вторая")"_s);
    EXPECT_EQ(channel.count(), 1);
    second.run(uR"(select * from tab where fam="первая")"_s);
    EXPECT_EQ(second.count(), 1);
}

TEST_F(ChannelTest, WriterWaitsForAnotherWriterInsteadOfFailing)
{
    channel.connect(); // the file is in WAL mode from here on
    std::promise<void> locked;
    std::promise<void> release;
    std::thread other([&, path = scratch.path().toStdString()] {
        SqliteDatabase db(path);
        db.withCollation();
        db.exec("begin immediate; insert into tab(fam) values('Другой');");
        locked.set_value();
        release.get_future().wait();
        db.exec("commit");
    });
    locked.get_future().wait();
    // The other writer lets go only once this exec is under way (and waiting on the lock).
    std::thread releaser([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        release.set_value();
    });
    EXPECT_NO_THROW(channel.exec(uR"(insert into tab(fam) values("Этот"))"_s));
    releaser.join();
    other.join();
    EXPECT_EQ(rowsOf(u"tab"_s), 2);
}

TEST_F(ChannelTest, ReadersAreNotBlockedByAWriter)
{
    addEntry(u"Давний"_s);
    SqliteDatabase writer(scratch.path().toStdString());
    writer.withCollation();
    ASSERT_EQ(writer.exec("begin immediate; insert into tab(fam) values('Незавершённый');"), SQLITE_OK);
    channel.run(u"select * from tab"_s); // WAL: sees the committed state at once
    EXPECT_EQ(channel.count(), 1);
    writer.exec("rollback");
}
