#include "store/connection.h"
#include "store/querychannel.h"
#include "store/storeerror.h"
#include "messages/errortext.h"
#include "tests/support/scratchfolder.h"

#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {

QString failureOf(store::Connection &connection)
{
    try {
        connection.connect();
    } catch (const store::StoreError &e) {
        return messages::errorText(e);
    }
    return {};
}

std::string pragma(sqlite3 *db, const char *name)
{
    sqlite3_stmt *s = nullptr;
    std::string value;
    sqlite3_prepare_v2(db, (std::string("pragma ") + name).c_str(), -1, &s, nullptr);
    if (sqlite3_step(s) == SQLITE_ROW)
        value = reinterpret_cast<const char *>(sqlite3_column_text(s, 0));
    sqlite3_finalize(s);
    return value;
}

} // namespace

TEST(Connection, MissingFileIsAnErrorNamingItAndIsNotCreated)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("history.dat"));
    store::Connection connection(path);
    const QString error = failureOf(connection);
    EXPECT_TRUE(error.contains(path)) << error.toStdString();
    EXPECT_FALSE(connection.isOpen());
    EXPECT_FALSE(QFileInfo::exists(path));
}

TEST(Connection, ForeignFileIsNotADatabase)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("history.dat"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(4096, 'x'));
    file.close();
    store::Connection connection(path);
    const QString error = failureOf(connection);
    EXPECT_TRUE(error.startsWith(path + QStringLiteral(": "))) << error.toStdString();
    EXPECT_TRUE(error.contains(QStringLiteral("not a database"))) << error.toStdString();
    EXPECT_FALSE(connection.isOpen());
    file.open(QIODevice::ReadOnly);
    EXPECT_EQ(file.readAll(), QByteArray(4096, 'x')); // left as it was
}

TEST(Connection, OpensWithWalDurableWritesAndABusyTimeout)
{
    ScratchFolder scratch{ScratchFolder::HistoryDat};
    store::Connection connection(scratch.history());
    connection.connect();
    ASSERT_TRUE(connection.isOpen());
    EXPECT_EQ(sqlite3_db_readonly(connection.handle(), "main"), 0);
    EXPECT_EQ(pragma(connection.handle(), "journal_mode"), "wal");
    EXPECT_EQ(pragma(connection.handle(), "synchronous"), "2"); // FULL
    // A million-row import-csv holds the write lock about 20 s: a writer waits that out.
    EXPECT_GE(std::stoi(pragma(connection.handle(), "busy_timeout")), 25000);
}

TEST(Connection, AWriteLockHeldPastTheWaitIsToldAsAnotherProgramWriting)
{
    ScratchFolder scratch{ScratchFolder::HistoryDat};
    store::Connection connection(scratch.history());
    store::QueryChannel channel(connection);
    channel.connect(); // in WAL mode from here
    sqlite3 *holder = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(scratch.history()).constData(), &holder), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(holder, "begin immediate", nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_busy_timeout(connection.handle(), 0); // the wait itself is not what is tested
    QString text;
    try {
        channel.exec(QStringLiteral("insert into tab(fam) values(\"Ждущий\")"));
    } catch (const store::StoreError &e) {
        text = messages::errorText(e);
    }
    EXPECT_TRUE(text.startsWith(QStringLiteral("В справочник сейчас записывает другая программа"))) << text.toStdString();
    sqlite3_close(holder);
}

TEST(Connection, RegistersTheCollation)
{
    ScratchFolder scratch{ScratchFolder::HistoryDat};
    store::Connection connection(scratch.history());
    connection.connect();
    sqlite3_stmt *s = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(connection.handle(), "select 'Ёлкин' = 'ёЛКИН' collate RU_NOCASE", -1, &s, nullptr),
              SQLITE_OK);
    ASSERT_EQ(sqlite3_step(s), SQLITE_ROW);
    EXPECT_EQ(sqlite3_column_int(s, 0), 1);
    sqlite3_finalize(s);
}

TEST(Connection, ConnectingAgainKeepsTheOpenConnection)
{
    ScratchFolder scratch{ScratchFolder::HistoryDat};
    store::Connection connection(scratch.history());
    connection.connect();
    sqlite3 *first = connection.handle();
    connection.connect();
    EXPECT_EQ(connection.handle(), first);
}

TEST(Connection, NewDataSourceClosesTheOldOne)
{
    ScratchFolder scratch{ScratchFolder::HistoryDat};
    store::Connection connection(scratch.history());
    connection.connect();
    connection.setDataSource(scratch.path() + QStringLiteral("/other.dat"));
    EXPECT_FALSE(connection.isOpen());
    EXPECT_THROW(connection.connect(), store::StoreError);
}

TEST(Connection, DefaultsToHistoryDatInTheWorkingFolder)
{
    store::Connection connection;
    EXPECT_EQ(connection.dataSource(), QStringLiteral("history.dat"));
    EXPECT_FALSE(connection.isOpen());
}

// The replica is reached through the same pooler as the server: named statements there would meet
// another program's on a shared server connection, whichever line of conf.cfg is read first.
TEST(Connection, TheReplicaFollowsTransactionPoolingSetBeforeOrAfterIt)
{
    for (const bool poolingFirst : {true, false}) {
        store::Connection connection;
        connection.setServer(QStringLiteral("host=db1 dbname=zelvik"));
        if (poolingFirst)
            connection.setTransactionPooling(true);
        connection.setReplica(QStringLiteral("host=db2 dbname=zelvik"));
        if (!poolingFirst)
            connection.setTransactionPooling(true);
        ASSERT_NE(connection.replica(), nullptr);
        EXPECT_TRUE(connection.replica()->unnamedStatements()) << (poolingFirst ? "pooling first" : "replica first");
    }
}
