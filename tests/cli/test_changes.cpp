// The server's record of changes: who changed which entry how, read by the directory's roles alone
// and changed by no one but its owner, and zelvik-cli changes, which lists and prunes it.
#include "messages/permissiontext.h"
#include "store/admin/changerecord.h"
#include "tests/server/serversession.h"
#include "tests/server/testdirectory.h"
#include "tests/support/clirunner.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

class ChangeRecord : public ::testing::Test {
protected:
    // A login of the shared server in the directory's role of that word (none: in no role).
    QString makeLogin(const QString &name, const QString &role = u"editor"_s)
    {
        const QString login = u"zr_%1_%2"_s.arg(::getpid()).arg(name);
        EXPECT_EQ(owner.value(("create role " + login + " login").toStdString()), "");
        if (!role.isEmpty()) {
            EXPECT_EQ(runCli(directory.folder(), {u"grant"_s, login, role}).exitCode, 0);
        }
        return login;
    }
    std::string as(const QString &login, const std::string &sql)
    {
        return ServerSession(directory.server() + u" user="_s + login).value(sql);
    }
    CliRun changes(const QStringList &options, const QString &folder = {})
    {
        return runCli(folder.isEmpty() ? directory.folder() : folder, QStringList{u"changes"_s} + options);
    }
    // zelvik-cli changes in a folder whose conf.cfg leads to the directory as the login.
    CliRun changesAs(const QString &login, const QStringList &options)
    {
        QTemporaryDir folder;
        QFile conf(folder.filePath(u"conf.cfg"_s));
        EXPECT_TRUE(conf.open(QIODevice::WriteOnly));
        conf.write("bd=\nserver=" + directory.server().toUtf8() + " user=" + login.toUtf8() + "\n");
        conf.close();
        QFile(folder.filePath(u"db.dat"_s)).open(QIODevice::WriteOnly);
        return changes(options, folder.path());
    }
    // The lines without their time, which no test can know.
    static QStringList untimed(const CliRun &run)
    {
        QStringList lines;
        for (const QString &line : run.outLines())
            lines << line.section(u'\t', 1);
        return lines;
    }

    TestDirectory directory{StoreKind::Server};
    ServerSession owner{directory.server()};
};

TEST_F(ChangeRecord, NamesWhoChangedWhichEntryHowNewestFirst)
{
    const QString alice = makeLogin(u"alice"_s), bob = makeLogin(u"bob"_s);
    const std::string id = as(alice, "insert into tab(fam, tele, dom) values('Иванов', '4951', 5) returning id");
    as(bob, "update tab set tele = '4952', dom = 5 where id = " + id);
    as(alice, "delete from tab where id = " + id);
    as(alice, "insert into tab(fam) values('Другой')");

    const CliRun listed = changes({u"--id"_s, QString::fromStdString(id)});
    ASSERT_EQ(listed.exitCode, 0) << listed.err.toStdString();
    const QString entry = QString::fromStdString(id);
    EXPECT_EQ(untimed(listed),
              (QStringList{
                  u"login\tentry\taction\told_values\tnew_values"_s,
                  alice + u"\t"_s + entry + uR"(	delete	{"im": null, "kv": null, "ot": null, "ul": null, "dom": 5, "fam": "Иванов", "domd": null, "tele": "4952"}	)"_s,
                  bob + u"\t"_s + entry + uR"(	update	{"tele": "4951"}	{"tele": "4952"})"_s,
                  alice + u"\t"_s + entry + uR"(	insert		{"im": null, "kv": null, "ot": null, "ul": null, "dom": 5, "fam": "Иванов", "domd": null, "tele": "4951"})"_s,
              }));
    EXPECT_EQ(changes({u"--login"_s, bob}).outLines().size(), 2);
    EXPECT_EQ(changes({u"--login"_s, alice, u"--since"_s, u"2000-01-01"_s}).outLines().size(), 4);
    EXPECT_EQ(changes({u"--since"_s, u"2999-01-01"_s}).outLines().size(), 1);
}

TEST_F(ChangeRecord, NoOtherLoginCanChangeForgeOrPruneIt)
{
    const QString mallory = makeLogin(u"mallory"_s);
    as(mallory, "insert into tab(fam) values('Честный')");
    for (const char *forgery : {"insert into tab_changes(login, action) values('someone', 'insert')",
                                "update tab_changes set login = 'someone'", "delete from tab_changes",
                                "truncate tab_changes", "alter table tab disable trigger tab_change_record",
                                "drop trigger tab_change_record on tab",
                                "create or replace function tab_change_record() returns trigger language plpgsql "
                                "as 'begin return null; end'",
                                "set session authorization postgres"})
        EXPECT_TRUE(as(mallory, forgery).starts_with("error: ")) << forgery;
    as(mallory, "update tab set fam = 'Подделкин'");
    EXPECT_EQ(as(mallory, "select string_agg(login || ' ' || action, ',' order by id) from tab_changes"),
              (mallory + u" insert,"_s + mallory + u" update"_s).toStdString());

    const CliRun refused = changesAs(mallory, {u"--prune-before"_s, u"2999-01-01"_s});
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_TRUE(refused.err.contains(u"only the record's owner (postgres)"_s)) << refused.err.toStdString();
    EXPECT_EQ(changesAs(mallory, {}).outLines().size(), 3);

    // Made again, as for a server made before it, the record keeps its lines.
    store::createChangeRecord(owner.conn, directory.server(),
                              QString::fromStdString(owner.value("select quote_ident(current_database() || '_reader')")));
    const CliRun pruned = changes({u"--prune-before"_s, u"2999-01-01"_s});
    EXPECT_EQ(pruned.firstLine(), u"dropped 2 changes made before 2999-01-01"_s) << pruned.err.toStdString();
}

TEST_F(ChangeRecord, CopyIsOneLineAndAFileHasNoRecord)
{
    QTemporaryDir scratch;
    const QString file = scratch.filePath(u"history.dat"_s);
    owner.value("insert into tab(fam) values('Первый'), ('Второй')");
    const CliRun out = runCli(scratch.path(), {u"copy"_s, directory.server(), file});
    ASSERT_EQ(out.exitCode, 0) << out.err.toStdString();
    EXPECT_TRUE(out.out.contains(u"record of changes stays there"_s)) << out.out.toStdString();

    const QString server = newServerDatabase();
    ASSERT_EQ(runCli(scratch.path(), {u"copy"_s, file, server}).exitCode, 0);
    EXPECT_EQ(ServerSession(server).value("select string_agg(action || ' ' || new_values::text, ',') from tab_changes"),
              R"(copy {"entries": 2})");

    QFile(scratch.filePath(u"db.dat"_s)).open(QIODevice::WriteOnly);
    const CliRun onFile = changes({}, scratch.path());
    EXPECT_EQ(onFile.exitCode, 2);
    EXPECT_TRUE(onFile.err.contains(u"only a directory on a PostgreSQL server has one"_s)) << onFile.err.toStdString();
}

// Its lines hold every entry's values, deleted ones too: a login in none of the directory's roles,
// or no longer in one, reads none of them.
TEST_F(ChangeRecord, OnlyTheDirectorysRolesReadIt)
{
    const QString reader = makeLogin(u"reader"_s, u"reader"_s), stranger = makeLogin(u"stranger"_s, {});
    owner.value("insert into tab(fam) values('Тайнов')");
    const std::string read = "select count(*) from tab_changes";
    EXPECT_EQ(as(reader, read), "1");
    EXPECT_TRUE(as(stranger, read).starts_with("error: "));
    ASSERT_EQ(runCli(directory.folder(), {u"revoke"_s, reader}).exitCode, 0);
    EXPECT_TRUE(as(reader, read).starts_with("error: "));
    const CliRun listed = changesAs(stranger, {});
    EXPECT_EQ(listed.exitCode, 2);
    EXPECT_TRUE(listed.err.startsWith(messages::permissionText(store::EntryAction::Read))) << listed.err.toStdString();
}

// A server made before the record gets it, with its rights, from the first grant.
TEST_F(ChangeRecord, AnOlderServerGetsItFromGrant)
{
    ASSERT_EQ(owner.value("drop table tab_changes; drop function tab_change_record() cascade"), "");
    ASSERT_NE(changes({}).exitCode, 0);
    const QString clerk = makeLogin(u"clerk"_s, {});
    const CliRun granted = runCli(directory.folder(), {u"grant"_s, clerk, u"operator"_s});
    ASSERT_EQ(granted.exitCode, 0) << granted.err.toStdString();
    as(clerk, "insert into tab(fam) values('Новиков')");
    EXPECT_EQ(changes({}).exitCode, 0);
    EXPECT_EQ(owner.value("select login || ' ' || action from tab_changes"), (clerk + u" insert"_s).toStdString());
}

} // namespace
