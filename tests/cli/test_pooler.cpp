// Many operators' programs through pgbouncer in transaction mode, where consecutive transactions of one
// program may run on different server connections, and one server connection serves program after
// program: nothing of a session may be left behind for the next one.
#include "config/conffile.h"
#include "store/connection.h"
#include "store/entryfield.h"
#include "store/grid/gridmodel.h"
#include "store/configuredstore.h"
#include "store/querychannel.h"
#include "tests/server/ownserver.h"
#include "tests/server/poolerinfront.h"
#include "tests/server/serversession.h"
#include "tests/support/clirunner.h"
#include "tests/support/seeds.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

// A folder whose conf.cfg leads through the pooler as the login.
struct PooledFolder {
    PooledFolder(const PoolerInFront &pooler, const QString &login)
    {
        QFile conf(dir.filePath(u"conf.cfg"_s));
        const QByteArray text = "bd=\nserver=" + pooler.conninfo(login, u"zelvik"_s).toUtf8() + "\npooler=transaction\n";
        if (!conf.open(QIODevice::WriteOnly) || conf.write(text) != text.size()
            || !QFile(dir.filePath(u"db.dat"_s)).open(QIODevice::WriteOnly))
            throw std::runtime_error("cannot write the folder's files");
    }
    CliRun cli(const QStringList &args) const { return runCli(dir.path(), args); }
    // A program's own connection, as the window makes it from the folder.
    std::unique_ptr<store::Connection> connection() const
    {
        auto made = std::make_unique<store::Connection>();
        store::useConfiguredStore(*made, config::readConfFile(dir.filePath(u"conf.cfg"_s)));
        return made;
    }
    QTemporaryDir dir;
};

TEST(ThroughPooler, TwoLoginsSearchInventEditCopyAndAreRecordedInTransactionMode)
{
    OwnServer server;
    ServerSession(server.conninfo()).value("create database zelvik");
    QTemporaryDir adminFolder;
    const CliRun init = runCli(adminFolder.path(), {u"init"_s, u"--server"_s, server.conninfo(u"zelvik"_s)});
    ASSERT_EQ(init.exitCode, 0) << init.err.toStdString();
    ServerSession owner(server.conninfo(u"zelvik"_s));
    const QStringList logins{u"olga"_s, u"pavel"_s};
    for (const QString &login : logins) {
        owner.value(("create role " + login + " login").toStdString());
        const CliRun granted =
            runCli(adminFolder.path(), {u"grant"_s, login, u"editor"_s, u"--server"_s, server.conninfo(u"zelvik"_s)});
        ASSERT_EQ(granted.exitCode, 0) << granted.err.toStdString();
    }
    PoolerInFront pooler(server, logins);
    const PooledFolder olga(pooler, u"olga"_s), pavel(pooler, u"pavel"_s), admin(pooler, u"postgres"_s);

    // One server connection per login: each program after the first meets what the one before left.
    const QStringList surnames{u"Пуловский"_s, u"Транзакцин"_s};
    for (int i = 0; i < 2; ++i) {
        const PooledFolder &folder = i == 0 ? olga : pavel;
        const CliRun invented =
            folder.cli({u"find"_s, u"--seed"_s, QString::number(seeds::inventing(1)), u"--surname"_s, surnames[i]});
        ASSERT_EQ(invented.exitCode, 0) << invented.err.toStdString();
        ASSERT_EQ(invented.firstLine(), u"Найдено: 1"_s);
        const CliRun found = folder.cli({u"find"_s, u"--surname"_s, surnames[i]});
        EXPECT_EQ(found.out.toStdString(), invented.out.toStdString()) << found.err.toStdString();
    }

    // Both logins' windows open at once, two programs of one login among them, each editing the grid.
    const auto olgaWindow = olga.connection(), pavelWindow = pavel.connection(), olgaSecond = olga.connection();
    int edited = 0;
    for (store::Connection *window : {olgaWindow.get(), pavelWindow.get(), olgaSecond.get()}) {
        store::QueryChannel channel(*window);
        store::GridModel model(channel);
        channel.run(u"select * from tab order by id"_s);
        const int row = window == pavelWindow.get() ? model.rowCount() - 1 : 0; // the other login's entry too
        ASSERT_TRUE(model.setData(model.index(row, store::EntryField::GivenName), u"Пётр%1"_s.arg(++edited)));
        ASSERT_TRUE(model.finishPending());
    }
    const std::string entries = "select count(*) || string_agg(concat(fam, im), ',' order by id) from tab";
    EXPECT_EQ(owner.value("select string_agg(im, ',' order by id) from tab"), "Пётр3,Пётр2");

    QTemporaryDir copies;
    const QString file = copies.filePath(u"history.dat"_s);
    const CliRun out = admin.cli({u"copy"_s, pooler.conninfo(u"postgres"_s, u"zelvik"_s), file});
    ASSERT_EQ(out.exitCode, 0) << out.err.toStdString();
    owner.value("create database copied");
    const CliRun in = admin.cli({u"copy"_s, file, pooler.conninfo(u"postgres"_s, u"copied"_s)});
    ASSERT_EQ(in.exitCode, 0) << in.err.toStdString();
    EXPECT_EQ(ServerSession(server.conninfo(u"copied"_s)).value(entries), owner.value(entries));

    const CliRun changes = admin.cli({u"changes"_s});
    ASSERT_EQ(changes.exitCode, 0) << changes.err.toStdString();
    QStringList made; // login and action of each line
    for (const QString &line : changes.outLines())
        made << line.section(u'\t', 1, 1) + u' ' + line.section(u'\t', 3, 3);
    for (const QString &login : logins)
        for (const QString &action : {u"insert"_s, u"update"_s})
            EXPECT_TRUE(made.contains(login + u' ' + action)) << made.join(u'\n').toStdString();
}

} // namespace
