// zelvik-cli with a replica= line in conf.cfg: check reports the standby as PostgreSQL measures it
// (bytes of log behind the primary), through a pooler as directly, and fails on a standby that cannot
// serve; a standby that cannot be reached costs no search and is told on standard error, once a run.
#include "store/provisioning/serverstorecreation.h"
#include "tests/server/ownserver.h"
#include "tests/server/poolerinfront.h"
#include "tests/server/serversession.h"
#include "tests/support/clirunner.h"
#include "tests/support/seeds.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>

#include <memory>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

void writeConf(const QTemporaryDir &folder, const QString &server, const QString &replica, bool pooled = false)
{
    QFile conf(folder.filePath(u"conf.cfg"_s));
    const QByteArray text = "bd=\nserver=" + server.toUtf8() + "\nreplica=" + replica.toUtf8() + '\n'
        + (pooled ? "pooler=transaction\n" : "");
    ASSERT_TRUE(conf.open(QIODevice::WriteOnly) && conf.write(text) == text.size());
}

// Waits (a bounded while) until the standby's answer to the question is "t".
bool standbyAnswers(const OwnServer &standby, const std::string &question)
{
    ServerSession session(standby.conninfo());
    for (int tries = 0; tries < 300; ++tries) {
        if (session.value(question) == "t")
            return true;
        QThread::msleep(100);
    }
    return false;
}

// A primary whose postgres database holds the directory, and its standby, caught up.
struct Replicated {
    Replicated()
    {
        store::createServerDirectory(primary.conninfo());
        standby = std::make_unique<OwnServer>(primary, QStringList{});
        if (!QFile(folder.filePath(u"db.dat"_s)).open(QIODevice::WriteOnly))
            throw std::runtime_error("cannot make db.dat");
    }
    OwnServer primary;
    std::unique_ptr<OwnServer> standby;
    QTemporaryDir folder;
};

// check's line on the standby, once it has replayed what the primary had (autovacuum may write
// meanwhile, so a few runs are allowed to meet a moment's lag).
CliRun checkedCaughtUp(const QTemporaryDir &folder)
{
    CliRun run;
    for (int tries = 0; tries < 20; ++tries) {
        run = runCli(folder.path(), {u"check"_s});
        if (run.outLines().value(1).endsWith(u": streaming, 0 bytes behind"_s))
            break;
        QThread::msleep(200);
    }
    return run;
}

TEST(CliReplica, CheckTellsTheLagInBytesDirectlyAndTwiceThroughAPooler)
{
    Replicated office;
    PoolerInFront pooler(office.primary, {}, office.standby.get());
    struct Way {
        QString server, replica;
        bool pooled;
    };
    const Way ways[] = {
        {office.primary.conninfo(), office.standby->conninfo(), false},
        {pooler.conninfo(u"postgres"_s, u"postgres"_s), pooler.replicaConninfo(u"postgres"_s), true},
    };
    for (const Way &way : ways) {
        writeConf(office.folder, way.server, way.replica, way.pooled);
        // The second run through the pooler meets the server connection the first one left.
        for (int run = 0; run < (way.pooled ? 2 : 1); ++run) {
            const CliRun checked = checkedCaughtUp(office.folder);
            EXPECT_EQ(checked.exitCode, 0) << checked.err.toStdString();
            ASSERT_EQ(checked.outLines().size(), 2) << checked.out.toStdString() << checked.err.toStdString();
            EXPECT_EQ(checked.outLines()[0], u"ok"_s);
            // Caught up, no time is told: an idle primary's last commit says nothing of the lag.
            EXPECT_TRUE(checked.outLines()[1].endsWith(u": streaming, 0 bytes behind"_s)) << checked.out.toStdString();
            EXPECT_EQ(checked.err, QString());
        }
    }
}

// A standby that replays nothing new, whichever way, fails the check and says why.
TEST(CliReplica, CheckFailsOnAStandbyThatStoppedFollowing)
{
    Replicated office;
    writeConf(office.folder, office.primary.conninfo(), office.standby->conninfo());
    ServerSession standby(office.standby->conninfo());
    ServerSession primary(office.primary.conninfo());
    primary.value("set synchronous_commit = on"); // its commits are written before they return, as in an office

    // One transaction replayed, so the standby knows when the last one it replayed was committed.
    primary.value("insert into tab(fam) values ('Первин')");
    ASSERT_TRUE(standbyAnswers(*office.standby, "select exists(select 1 from tab where fam = 'Первин')"));
    ASSERT_EQ(standby.value("select pg_wal_replay_pause()"), "");
    ASSERT_TRUE(standbyAnswers(*office.standby, "select pg_get_wal_replay_pause_state() = 'paused'"));
    primary.value("insert into tab(fam) values ('Паузин')");
    const CliRun paused = runCli(office.folder.path(), {u"check"_s});
    EXPECT_EQ(paused.exitCode, 2);
    EXPECT_TRUE(paused.outLines().value(1).contains(QRegularExpression(u"replay is paused .*, [1-9][0-9]* bytes behind, "
                                                                       "last replayed transaction committed .* s ago$"_s)))
        << paused.out.toStdString();
    standby.value("select pg_wal_replay_resume()");

    // Led to a primary that is not there, its WAL receiver stops and does not come back.
    standby.value("alter system set primary_conninfo = 'host=/nonexistent port=1'");
    standby.value("select pg_reload_conf()");
    ASSERT_TRUE(standbyAnswers(*office.standby, "select not exists(select 1 from pg_stat_wal_receiver)"));
    const CliRun stopped = runCli(office.folder.path(), {u"check"_s});
    EXPECT_EQ(stopped.exitCode, 2);
    EXPECT_TRUE(stopped.outLines().value(1).contains(u": not receiving the primary's log"_s)) << stopped.out.toStdString();
}

TEST(CliReplica, AStandbyThatIsDownFailsTheCheckIsToldOnceAndCostsNoSearch)
{
    OwnServer primary;
    primary.newDirectory(u"zelvik"_s);
    QTemporaryDir folder;
    ASSERT_TRUE(QFile(folder.filePath(u"db.dat"_s)).open(QIODevice::WriteOnly));
    writeConf(folder, primary.conninfo(u"zelvik"_s), u"host=/nonexistent port=5 dbname=zelvik"_s);
    const QString notice = u"Резервный сервер"_s;
    for (const QString &seed : {QString::number(seeds::inventing(1)), QString::number(seeds::inventing(0))}) {
        // The first run invents the entry on the server; the second, whose seed would invent none, finds it.
        const CliRun found = runCli(folder.path(), {u"find"_s, u"--seed"_s, seed, u"--surname"_s, u"Реплицын"_s});
        EXPECT_EQ(found.exitCode, 0) << found.err.toStdString();
        EXPECT_EQ(found.firstLine(), u"Найдено: 1"_s);
        EXPECT_EQ(found.err.count(notice), 1) << found.err.toStdString();
    }
    const CliRun unreachable = runCli(folder.path(), {u"check"_s});
    EXPECT_EQ(unreachable.exitCode, 2);
    EXPECT_EQ(unreachable.out, u"ok\nreplica host=/nonexistent port=5 dbname=zelvik: cannot be read, so lookups go to "
                               "the server\n"_s);
    EXPECT_TRUE(unreachable.err.startsWith(u"Не удалось подключиться к серверу справочника (host=/nonexistent port=5 "
                                           "dbname=zelvik).\nПодробности: "_s))
        << unreachable.err.toStdString();
}

} // namespace
