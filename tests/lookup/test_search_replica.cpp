// Lookups on a streaming standby: they read there, never invent an entry twice because the standby
// lags, never fail because it is down, and never show this program's own write undone.
#include "store/connection.h"
#include "store/querychannel.h"
#include "lookup/randomsource.h"
#include "lookup/search.h"
#include "tests/lookup/shownoutcome.h"
#include "tests/lookup/searchfieldsbuilder.h"
#include "tests/server/ownserver.h"
#include "tests/server/serversession.h"

#include <gtest/gtest.h>

#include <QThread>

using namespace Qt::Literals::StringLiterals;
using namespace lookup;
using enum store::EntryField;

namespace {

// One operator's program, with conf.cfg's server= and replica= lines.
struct Operator {
    Operator(const QString &server, const QString &replica)
    {
        connection.setServer(server);
        connection.setReplica(replica);
    }
    ShownOutcome find(const QString &surname) { return search(channel, random, fieldsOf({{Surname, surname}})); }

    store::Connection connection;
    store::QueryChannel channel{connection};
    RandomSource random;
};

// A seed whose search by name invents this many entries.
std::uint32_t seedInventing(std::uint32_t entries)
{
    for (std::uint32_t seed = 0;; ++seed) {
        RandomSource probe;
        probe.setFixedSeed(seed);
        probe.reseed();
        if (probe.draw(5) == entries)
            return seed;
    }
}

class SearchOnReplica : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        primary = new OwnServer();
        primary->newDirectory(u"office"_s);
        standby = new OwnServer(*primary, {});
    }
    static void TearDownTestSuite()
    {
        delete standby;
        delete primary;
        standby = primary = nullptr;
    }
    void TearDown() override { replica.value("select pg_wal_replay_resume()"); }

    static QString server() { return primary->conninfo(u"office"_s); }
    static QString standbyInfo() { return standby->conninfo(u"office"_s); }

    // Waits until the standby has replayed everything the primary has written so far.
    void waitForReplay()
    {
        const std::string lsn = admin.value("select pg_current_wal_insert_lsn()");
        for (int tries = 0; tries < 600; ++tries) {
            if (replica.value("select pg_last_wal_replay_lsn() >= '" + lsn + "'") == "t")
                return;
            QThread::msleep(50);
        }
        FAIL() << "the standby did not replay " << lsn;
    }
    // Stores an entry as another program would, replayed on the standby; returns its id.
    std::string storeReplayed(const std::string &surname)
    {
        const std::string id = admin.value("insert into tab (fam,im,ot,tele,ul,dom,domd,kv) values ('" + surname
                                           + "','Иван','Иванович','4950000001','Лесная',1,'',1) returning id");
        waitForReplay();
        return id;
    }
    // A pause is only requested at first; replay goes on until the standby says it has stopped.
    void pauseReplay()
    {
        replica.value("select pg_wal_replay_pause()");
        for (int tries = 0; tries < 600; ++tries) {
            if (replica.value("select pg_get_wal_replay_pause_state()") == "paused")
                return;
            QThread::msleep(50);
        }
        FAIL() << "the standby did not pause its replay";
    }

    static inline OwnServer *primary = nullptr;
    static inline OwnServer *standby = nullptr;
    ServerSession admin{server()};
    ServerSession replica{standbyInfo()};
};

TEST_F(SearchOnReplica, HitsAreReadOnTheReplica)
{
    const std::string id = storeReplayed("Репликов");
    pauseReplay();
    // Gone from the primary only: the standby, paused, is the one place that still shows it.
    admin.value("delete from tab where id = " + id);
    Operator reader(server(), standbyInfo());
    EXPECT_EQ(reader.find(u"Репликов"_s).message, u"Найдено: 1"_s);
    EXPECT_EQ(reader.channel.text(u"id"_s).toStdString(), id);
}

TEST_F(SearchOnReplica, AMissIsConfirmedOnThePrimaryBeforeInventing)
{
    waitForReplay();
    pauseReplay();
    Operator first(server(), standbyInfo());
    first.random.setFixedSeed(seedInventing(2));
    ASSERT_EQ(first.find(u"Отстающий"_s).message, u"Найдено: 2"_s);
    Operator second(server(), standbyInfo());
    second.random.setFixedSeed(seedInventing(3));
    EXPECT_EQ(second.find(u"Отстающий"_s).message, u"Найдено: 2"_s);
    EXPECT_EQ(admin.value("select count(*) from tab where fam = 'Отстающий'"), "2");
}

TEST_F(SearchOnReplica, AReplicaThatCannotBeReachedCostsNoSearch)
{
    storeReplayed("Доступнов");
    Operator reader(server(), u"host=127.0.0.1 port=1 dbname=office connect_timeout=2"_s);
    int told = 0;
    QObject::connect(&reader.channel, &store::QueryChannel::replicaUnavailable, [&told] { ++told; });
    for (int search = 0; search < 2; ++search) {
        const ShownOutcome outcome = reader.find(u"Доступнов"_s);
        EXPECT_TRUE(outcome.error.isEmpty()) << outcome.error.toStdString();
        EXPECT_EQ(outcome.message, u"Найдено: 1"_s);
    }
    EXPECT_EQ(told, 1);
}

TEST_F(SearchOnReplica, OwnWritesAreReadOnThePrimaryUntilReplayed)
{
    const std::string id = storeReplayed("Правкин");
    pauseReplay();
    Operator editor(server(), standbyInfo());
    ASSERT_EQ(editor.channel.write(u"update tab set im = ? where id = ?"_s, {u"Пётр"_s, QString::fromStdString(id)})
                  .changes,
              1);
    ASSERT_EQ(editor.find(u"Правкин"_s).message, u"Найдено: 1"_s);
    EXPECT_EQ(editor.channel.text(u"im"_s), u"Пётр"_s);

    // Once the standby has replayed the edit, lookups go back to it.
    replica.value("select pg_wal_replay_resume()");
    waitForReplay();
    pauseReplay();
    admin.value("delete from tab where id = " + id);
    EXPECT_EQ(editor.find(u"Правкин"_s).message, u"Найдено: 1"_s);
    EXPECT_EQ(editor.channel.text(u"im"_s), u"Пётр"_s);
}

} // namespace
