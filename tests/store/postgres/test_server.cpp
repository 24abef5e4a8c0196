#include "tests/store/channelfixture.h"
#include "tests/server/serversession.h"

#include "config/conffile.h"
#include "store/provisioning/datafilechecks.h"
#include "messages/errortext.h"
#include "store/provisioning/storecopy.h"
#include "store/jetdialect.h"
#include "store/provisioning/serverstorecreation.h"

#include <QDir>
#include <QFile>

#include <libpq-fe.h>

#include <thread>

using namespace Qt::Literals::StringLiterals;

TEST(ServerDialect, LiteralsBecomeNumberedParametersAndTopALimit)
{
    store::JetTranslation t;
    ASSERT_TRUE(store::translateJet(R"(select top 3 * from [tab] where fam="a""b" and im='c'1)", t,
                                    store::Dialect::Postgres));
    EXPECT_EQ(t.sql, R"(select * from "tab" where fam=$1 and im=$2 1 limit 3)");
    EXPECT_EQ(t.literal(0), "a\"b");
    EXPECT_EQ(store::nativeStatement("update tab set fam=? where id=? and ul='?'", store::Dialect::Postgres),
              "update tab set fam=$1 where id=$2 and ul='?'");
    EXPECT_EQ(store::insertTarget(" INSERT into [tab] (fam) values(1)"), "tab");
}

TEST_P(StoreChannelTest, ExecGivesTheInsertedRowsId)
{
    const qint64 first = channel.exec(uR"(insert into tab(fam) values("Первый"))"_s);
    const qint64 second = channel.exec(uR"(insert into tab(fam) values("Второй"))"_s);
    EXPECT_GT(second, first);
    channel.run(u"select fam from tab where id="_s + QString::number(second));
    EXPECT_EQ(channel.text(u"fam"_s), u"Второй"_s);
    EXPECT_EQ(channel.exec(uR"(update tab set ul="x")"_s), 0);
    EXPECT_EQ(channel.exec(u"select 5 as id"_s), 0);
    EXPECT_EQ(channel.exec(u"insert into param(s, tel) values(0, 7)"_s), GetParam() == StoreKind::File ? 2 : 0);
}

// Each operator's inserts come back with their own ids, however the two interleave.
TEST_P(StoreChannelTest, TwoOperatorsInventingAtOnceGetTheirOwnIds)
{
    constexpr int kEach = 40;
    std::vector<std::pair<QString, qint64>> made[2];
    std::thread operators[2];
    for (int o = 0; o < 2; ++o) {
        operators[o] = std::thread([&, o] {
            store::Connection own;
            directory.configure(own);
            store::QueryChannel ownChannel(own);
            for (int i = 0; i < kEach; ++i) {
                const QString fam = u"Оператор%1_%2"_s.arg(o).arg(i);
                made[o].emplace_back(fam, ownChannel.exec(uR"(insert into tab(fam) values(")"_s + fam + u"\")"_s));
            }
        });
    }
    for (std::thread &t : operators)
        t.join();
    for (const auto &rows : made) {
        ASSERT_EQ(rows.size(), std::size_t(kEach));
        for (const auto &[fam, id] : rows) {
            channel.run(u"select fam from tab where id="_s + QString::number(id));
            EXPECT_EQ(channel.text(u"fam"_s), fam);
        }
    }
}

TEST(ServerStore, AnIndexServesCaseInsensitiveEqualityAndYoStaysApart)
{
    const TestDirectory directory(StoreKind::Server);
    ServerSession session(directory.server());
    EXPECT_NE(session.plan("select * from tab where fam = 'иванов'").find("Index"), std::string::npos);
    EXPECT_NE(session.plan("select * from tab where tele = '495'").find("Index"), std::string::npos);
    EXPECT_EQ(session.value("select 'ИВАНОВ' = 'иванов' collate ru_nocase"), "t");
    EXPECT_EQ(session.value("select 'Ёлкин' = 'елкин' collate ru_nocase"), "f");
    EXPECT_EQ(session.value("select 'SMITH' = 'smith' collate ru_nocase"), "t");
}

TEST(ServerStore, UnreachableServerOrMissingTablesAreNamedWithoutThePassword)
{
    store::Connection connection;
    connection.setServer(u"host=/nonexistent port=1 dbname=office user=u password=secret"_s);
    QString error;
    try {
        connection.connect();
    } catch (const store::StoreError &e) {
        error = messages::errorText(e);
    }
    EXPECT_TRUE(error.startsWith(u"Не удалось подключиться к серверу справочника (host=/nonexistent port=1 "
                                 "dbname=office).\nПодробности: "_s))
        << error.toStdString();
    EXPECT_FALSE(error.contains(u"secret"_s));

    connection.setServer(newServerDatabase());
    try {
        connection.connect();
        error.clear();
    } catch (const store::StoreError &e) {
        error = messages::errorText(e);
    }
    EXPECT_TRUE(error.contains(u"нет таблиц справочника"_s)) << error.toStdString();
}

TEST(ServerStore, InitOnAUsedDatabaseIsRefusedNamingTheTablesAndChangesNothing)
{
    const QString server = newServerDatabase();
    ServerSession session(server);
    PQclear(PQexec(session.conn, "create table ul(id int); insert into ul values (7)"));
    QString error;
    try {
        store::createServerDirectory(server);
    } catch (const store::StoreError &e) {
        error = messages::errorText(e);
    }
    EXPECT_TRUE(error.contains(u"на сервере уже есть таблицы справочника: ul"_s)) << error.toStdString();
    EXPECT_EQ(session.value("select count(*) from pg_tables where schemaname = 'public'"), "1");
    EXPECT_EQ(session.value("select id from ul"), "7");
}

namespace {

// The second goes again before a copy, leaving a gap in the ids: no text COPY escapes is in it.
const QString kHostile[] = {
    uR"(O'Brien "Quoted" \ \\ \N \. end)"_s,
    u"'; drop table tab; --"_s,
    u"\x01\x02\x1b[31mкрасный\x7f"_s,
    u"Ёжиков\tтаб\nстрока\rвозврат"_s,
};

void addHostileRows(store::QueryChannel &channel)
{
    for (const QString &text : kHostile)
        channel.write(u"insert into tab(fam, im, ot, tele, ul, dom, domd, kv) values(?, ?, ?, ?, ?, ?, ?, ?)"_s,
                      {text, text, QVariant(), u"123"_s, text, qint64(-5), QString(), qint64(2147483647)});
}

// Every row of every table, in id order, as one text.
QString contents(const store::StoreAddress &where)
{
    store::Connection connection(where.file);
    if (where.isServer())
        connection.setServer(where.server);
    store::QueryChannel channel(connection);
    QString all;
    for (const char *table : {"tab", "fam", "im", "im2", "ot", "ot2", "ul", "tel"}) {
        channel.run(u"select * from "_s + QLatin1String(table) + u" order by id"_s);
        channel.fetch(INT_MAX);
        for (int r = 0; r < channel.fetched(); ++r) {
            for (int c = 0; c < channel.columnNames().size(); ++c) {
                const QVariant &v = channel.cell(r, c);
                all += v.isNull() ? u"<null>"_s : v.toString() + u'|' + QLatin1String(v.typeName());
                all += u'\x1f';
            }
            all += u'\n';
        }
    }
    channel.run(u"select s, tel from param"_s);
    return all + channel.text(u"s"_s) + u'/' + channel.text(u"tel"_s);
}

} // namespace

TEST(DirectoryCopy, FileToServerToFileIsLossless)
{
    TestDirectory file(StoreKind::File);
    {
        store::Connection connection(file.historyPath());
        store::QueryChannel channel(connection);
        addHostileRows(channel);
        channel.exec(u"delete from tab where id=2"_s); // ids keep their gaps
    }
    const store::StoreAddress server{QString(), newServerDatabase()};
    qint64 reported = 0;
    // In batches of two, so every table crosses from one batch to the next.
    const qint64 copied = store::copyDirectory(file.address(), server, [&](const QString &, qint64) { ++reported; }, 2);
    EXPECT_GT(copied, 200);
    EXPECT_GT(reported, 0);
    const QString original = contents(file.address());
    EXPECT_EQ(contents(server), original);

    // New entries on the server go on after the copied ids.
    store::Connection connection;
    connection.setServer(server.server);
    store::QueryChannel channel(connection);
    EXPECT_EQ(channel.exec(uR"(insert into tab(fam) values("Новый"))"_s), 5);

    const QString back = file.folder() + u"/back.dat"_s;
    channel.exec(u"delete from tab where id=5"_s);
    store::copyDirectory(server, {back, QString()}, {}, 2);
    EXPECT_EQ(contents({back, QString()}), original);
}

TEST(DirectoryCopy, IntoATargetInUseIsRefusedAndLeavesIt)
{
    TestDirectory file(StoreKind::File);
    TestDirectory server(StoreKind::Server);
    EXPECT_THROW(store::copyDirectory(server.address(), file.address()), store::StoreError);
    EXPECT_THROW(store::copyDirectory(file.address(), server.address()), store::StoreError);
    ServerSession session(server.server());
    EXPECT_EQ(session.value("select count(*) from fam"), "58");
}

TEST(ServerStore, ConfCfgNamesTheServerOnALaterLineAndTheCheckNamesItWhenAbsent)
{
    const TestDirectory directory(StoreKind::Server);
    const QString conf = directory.folder() + u"/conf.cfg"_s;
    EXPECT_EQ(config::readConfFile(conf).server(), directory.server());
    QFile file(conf);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("server=host=/nonexistent port=7 dbname=x password=secret\r\n");
    file.close();
    EXPECT_EQ(config::readConfFile(conf).server(), QString()); // the first line is the region's

    const QString cwd = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(directory.folder()));
    const QStringList fine = messages::missingDataFileMessages(directory.server());
    const QStringList missing = messages::missingDataFileMessages(u"host=/nonexistent port=7 dbname=x password=secret"_s);
    QDir::setCurrent(cwd);
    EXPECT_TRUE(fine.isEmpty()) << fine.join(u'\n').toStdString();
    ASSERT_EQ(missing.size(), 1);
    EXPECT_TRUE(missing[0].contains(u"host=/nonexistent port=7 dbname=x"_s)) << missing[0].toStdString();
    EXPECT_FALSE(missing[0].contains(u"secret"_s));
}

namespace {
bool everyFileIsShared(const QString &)
{
    return true;
}
} // namespace

// Two computers would each keep their own WAL index of a shared file: on a network share the file is
// used with a rollback journal, whatever mode it was left in.
TEST(NetworkShare, DirectoryFileThereIsNeverUsedInWalMode)
{
    const TestDirectory directory(StoreKind::File); // made in WAL mode
    store::setNetworkShareProbe(everyFileIsShared);
    store::Connection connection(directory.historyPath());
    store::QueryChannel channel(connection);
    channel.exec(uR"(insert into tab(fam) values("Сетевой"))"_s);
    const bool shared = connection.onNetworkShare();
    channel.run(u"pragma journal_mode"_s);
    const QString mode = channel.text(u"journal_mode"_s);
    store::setNetworkShareProbe(nullptr);
    EXPECT_TRUE(shared);
    EXPECT_EQ(mode, u"delete"_s);
    EXPECT_FALSE(QFile::exists(directory.historyPath() + u"-wal"_s));
}

TEST(ServerStore, EachStatementTextIsPreparedOnceWhateverItsLiterals)
{
    const TestDirectory directory(StoreKind::Server);
    store::Connection connection;
    directory.configure(connection);
    store::QueryChannel channel(connection);
    const auto prepared = [&] {
        channel.run(u"select count(*) as m from pg_prepared_statements"_s);
        return channel.integer(u"m"_s);
    };
    const auto lookup = [&](const QString &surname) {
        channel.run(uR"(select * from tab where fam=")"_s + surname + u"\""_s);
    };
    lookup(u"Иванов"_s);
    const qint64 before = prepared();
    lookup(u"Петров"_s);
    lookup(u"Сидоров"_s);
    EXPECT_EQ(prepared(), before);
}
