#pragma once

#include "store/provisioning/storecopy.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <ostream>

namespace store {
class Connection;
}

// The two stores every test that matters runs against: a history.dat file, and a database on the
// PostgreSQL server that ctest starts for the run (the pgserver fixture).
enum class StoreKind { File, Server };

inline std::ostream &operator<<(std::ostream &out, StoreKind kind)
{
    return out << (kind == StoreKind::File ? "File" : "Server");
}

// For INSTANTIATE_TEST_SUITE_P(Stores, Suite, bothStores(), storeName).
inline auto bothStores()
{
    return ::testing::Values(StoreKind::File, StoreKind::Server);
}
std::string storeName(const ::testing::TestParamInfo<StoreKind> &info);

// The test server's connection string (to its postgres database). Throws std::runtime_error, so the
// test fails, when the server is not running.
QString testServer();
// A new, empty database on the test server; its connection string.
QString newServerDatabase();
// The same connection string leading to another database of the server.
QString withDatabase(const QString &conninfo, const QString &database);

// The statements that make a directory of that kind a store made before the store itself held its
// texts to the limit (the file's triggers, the server's checks), so that the engine's own SQL can
// store what older versions let through. A file gets its triggers back when next opened writable.
QStringList liftTextLimit(StoreKind kind);

// A new directory in a scratch folder that holds db.dat and conf.cfg ("bd=Тест", and for a server
// its "server=" line). A file directory's history.dat is in the folder; a server directory is a new
// database of the test server. The tables hold the sample reference data, tab is empty.
class TestDirectory {
public:
    explicit TestDirectory(StoreKind kind);

    StoreKind kind() const { return m_kind; }
    QString folder() const { return m_folder.path(); }
    QString historyPath() const { return m_folder.filePath(QStringLiteral("history.dat")); }
    const QString &server() const { return m_server; }
    store::StoreAddress address() const;
    // Points the connection at this directory.
    void configure(store::Connection &connection) const;

private:
    StoreKind m_kind;
    QTemporaryDir m_folder;
    QString m_server;
};
