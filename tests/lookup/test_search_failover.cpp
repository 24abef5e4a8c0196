// A window that runs all along through a failover: the primary crashes, its streaming standby is
// promoted, and the program, connected with a multi-host string that asks for the read-write host,
// fails at most one search and then finds on the new primary every entry whose insert it had been told
// was committed.
#include "store/connection.h"
#include "store/querychannel.h"
#include "lookup/randomsource.h"
#include "lookup/search.h"
#include "tests/lookup/shownoutcome.h"
#include "tests/support/seeds.h"
#include "tests/lookup/searchfieldsbuilder.h"
#include "tests/server/ownserver.h"
#include "tests/server/serversession.h"

#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QThread>

#include <chrono>
#include <memory>
#include <ostream>
#include <string>

using namespace Qt::Literals::StringLiterals;
using namespace lookup;
using enum store::EntryField;

namespace {

enum class Replication { Synchronous, Asynchronous };

const char *nameOf(Replication replication)
{
    return replication == Replication::Synchronous ? "synchronous" : "asynchronous";
}

void PrintTo(Replication replication, std::ostream *out)
{
    *out << nameOf(replication);
}

QString keyword(const QString &conninfo, const QString &name)
{
    return QRegularExpression(u"\\b"_s + name + u"=(\\S+)"_s).match(conninfo).captured(1);
}

// Polls the statement on the session until it yields "t"; false after a minute.
bool waitUntil(ServerSession &session, const std::string &condition)
{
    using namespace std::chrono_literals;
    for (auto deadline = std::chrono::steady_clock::now() + 60s; std::chrono::steady_clock::now() < deadline;) {
        if (session.value("select " + condition) == "t")
            return true;
        QThread::msleep(50);
    }
    return false;
}

class SearchThroughFailover : public ::testing::TestWithParam<Replication> {
protected:
    SearchThroughFailover()
    {
        // With no application_name in primary_conninfo the standby's walreceiver goes by cluster_name.
        standby = std::make_unique<OwnServer>(*primary, QStringList{u"--durable"_s, u"cluster_name=standby"_s});
        primary->newDirectory(u"office"_s);
        if (GetParam() == Replication::Synchronous) {
            ServerSession admin(primary->conninfo());
            admin.value("alter system set synchronous_standby_names = 'standby'");
            admin.value("select pg_reload_conf()");
            EXPECT_TRUE(waitUntil(admin, "exists (select from pg_stat_replication where sync_state = 'sync')"));
        }
        const QString a = primary->conninfo(u"office"_s), b = standby->conninfo(u"office"_s);
        connection.setServer(u"host=%1,%2 port=%3,%4 user=postgres dbname=office target_session_attrs=read-write"_s
                                 .arg(keyword(a, u"host"_s), keyword(b, u"host"_s), keyword(a, u"port"_s),
                                      keyword(b, u"port"_s)));
    }

    ShownOutcome find(const QString &surname) { return search(channel, random, fieldsOf({{Surname, surname}})); }

    static inline const QStringList surnames{u"Перваков"_s, u"Вторников"_s, u"Третьяков"_s, u"Четвериков"_s};
    std::unique_ptr<OwnServer> primary = std::make_unique<OwnServer>(QStringList{u"--durable"_s});
    std::unique_ptr<OwnServer> standby;
    store::Connection connection;
    store::QueryChannel channel{connection};
    RandomSource random;
};

TEST_P(SearchThroughFailover, AtMostOneSearchFailsAndEveryConfirmedEntryIsFound)
{
    random.setFixedSeed(seeds::inventing(3)); // so that every surname is stored, and found after the crash
    for (const QString &surname : surnames) {
        const ShownOutcome invented = find(surname);
        ASSERT_EQ(invented.message, u"Найдено: 3"_s) << invented.error.toStdString();
    }
    if (GetParam() == Replication::Asynchronous) {
        ServerSession onPrimary(primary->conninfo());
        const std::string lastCommit = onPrimary.value("select pg_current_wal_insert_lsn()");
        ServerSession onStandby(standby->conninfo());
        ASSERT_TRUE(waitUntil(onStandby, "pg_last_wal_replay_lsn() >= '" + lastCommit + "'"));
    }
    primary->halt(u"immediate"_s);
    standby->promote();

    int failed = 0;
    QStringList after;
    for (const QString &surname : surnames) {
        ShownOutcome outcome = find(surname);
        if (!outcome.error.isEmpty() && ++failed == 1)
            outcome = find(surname);
        EXPECT_TRUE(outcome.error.isEmpty()) << outcome.error.toStdString();
        after << outcome.message.value_or(QString());
    }
    EXPECT_LE(failed, 1);
    EXPECT_EQ(after, QStringList(surnames.size(), u"Найдено: 3"_s)); // not three more invented in their place
    EXPECT_EQ(ServerSession(standby->conninfo(u"office"_s)).value("select count(*) from tab"),
              std::to_string(3 * surnames.size()));
}

} // namespace

INSTANTIATE_TEST_SUITE_P(Replication, SearchThroughFailover,
                         ::testing::Values(Replication::Synchronous, Replication::Asynchronous),
                         [](const ::testing::TestParamInfo<Replication> &info) { return nameOf(info.param); });
