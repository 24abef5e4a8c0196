#include "store/provisioning/serverstorecreation.h"

#include "store/connection.h"
#include "store/provisioning/changerecord.h"
#include "store/postgres/preparedstatements.h"
#include "store/querychannel.h"
#include "store/provisioning/sampledata.h"
#include "store/provisioning/serverroles.h"
#include "store/schema.h"
#include "store/postgres/serverconnection.h"

#include <QScopeGuard>

#include <libpq-fe.h>

namespace store {

namespace {

void insertRow(pg_conn *conn, const std::string &sql, const QList<QByteArray> &row, const QString &name)
{
    std::vector<const char *> values;
    for (const QByteArray &v : row)
        values.push_back(v.constData());
    const PgResult result(PQexecParams(conn, sql.c_str(), int(values.size()), nullptr, values.data(), nullptr,
                                       nullptr, 0));
    if (PQresultStatus(result.get()) != PGRES_COMMAND_OK)
        throw serverFailure(conn, result.get(), name);
}

void insertSampleData(pg_conn *conn, const QString &name)
{
    for (const ReferenceRows &ref : sampleReferenceRows()) {
        const std::string sql = QStringLiteral("INSERT INTO %1(id, %2) VALUES($1, $2)").arg(ref.table, ref.column).toStdString();
        for (qsizetype i = 0; i < ref.values.size(); ++i)
            insertRow(conn, sql, {QByteArray::number(i + 1), ref.values[i].toUtf8()}, name);
    }
    const ParamRow param = sampleParam();
    insertRow(conn, "INSERT INTO param(s, tel) VALUES($1, $2)",
              {QByteArray::number(param.s), QByteArray::number(param.tel)}, name);
}

// Two runs making a directory in one empty database would both find it empty, and the second would
// wait for the first's tables, then fail on them. Whoever holds this lock is making one: a lock for
// the creating transaction's length, which a pooler in transaction mode keeps on one server
// connection (a session's lock would stay behind on a pooled connection).
constexpr const char *kClaimDatabase = "select pg_try_advisory_xact_lock(7964209531)";

void claimDatabase(pg_conn *conn, const QString &name)
{
    const PgResult result(PQexec(conn, kClaimDatabase));
    if (PQresultStatus(result.get()) != PGRES_TUPLES_OK)
        throw serverFailure(conn, result.get(), name);
    if (PQgetvalue(result.get(), 0, 0)[0] != 't')
        throw StoreError(StoreError::Kind::ServerBeingFilled, {name});
}

} // namespace

void serverCommand(pg_conn *conn, const char *sql, const QString &name)
{
    const PgResult result(PQexec(conn, sql));
    if (PQresultStatus(result.get()) != PGRES_COMMAND_OK && PQresultStatus(result.get()) != PGRES_TUPLES_OK)
        throw serverFailure(conn, result.get(), name);
}

QStringList existingServerTables(pg_conn *conn)
{
    std::string names;
    for (const TableDef &t : programTables())
        names.append(names.empty() ? "'" : ",'").append(t.name).append("'");
    const std::string sql = "select t from unnest(array[" + names + "]) with ordinality as n(t, i) "
                            "where to_regclass(quote_ident(t)) is not null order by i";
    const PgResult result(PQexec(conn, sql.c_str()));
    QStringList found;
    if (PQresultStatus(result.get()) != PGRES_TUPLES_OK)
        return found;
    for (int r = 0; r < PQntuples(result.get()); ++r)
        found << QString::fromUtf8(PQgetvalue(result.get(), r, 0));
    return found;
}

bool serverHoldsDirectory(const QString &conninfo)
{
    pg_conn *conn = openServer(conninfo);
    const auto finish = qScopeGuard([conn] { PQfinish(conn); });
    return existingServerTables(conn).size() == qsizetype(programTables().size());
}

void createServerTables(pg_conn *conn, const QString &name)
{
    if (const QStringList tables = existingServerTables(conn); !tables.isEmpty())
        throw StoreError(StoreError::Kind::ServerHoldsTables, {name, tables.join(QStringLiteral(", "))});
    serverCommand(conn, serverSchemaScript().c_str(), name);
}

namespace {

// A new directory on the server, its tables filled by fill, in one transaction.
void createServerStore(const QString &conninfo, const std::function<void(pg_conn *, const QString &)> &fill)
{
    const QString name = serverName(conninfo);
    pg_conn *conn = openServer(conninfo);
    const auto finish = qScopeGuard([conn] { PQfinish(conn); });
    serverCommand(conn, "BEGIN", name);
    try {
        claimDatabase(conn, name);
        createServerTables(conn, name);
        setUpServerRoles(conn, name);
        fill(conn, name);
        serverCommand(conn, "COMMIT", name);
    } catch (...) {
        PQclear(PQexec(conn, "ROLLBACK"));
        throw;
    }
}

} // namespace

void createServerDirectory(const QString &conninfo)
{
    createServerStore(conninfo, [](pg_conn *conn, const QString &name) {
        insertSampleData(conn, name);
        createChangeRecord(conn, name);
    });
}

void createServerDirectory(const QString &conninfo, const std::function<void(QueryChannel &)> &fill)
{
    createServerStore(conninfo, [&](pg_conn *conn, const QString &name) {
        {
            Connection connection;
            connection.borrowServer(conn, conninfo);
            QueryChannel channel(connection);
            fill(channel);
        }
        // New entries go on after the highest id stored.
        serverCommand(conn, "select setval(pg_get_serial_sequence('tab', 'id'), coalesce(max(id), 0) + 1, false) from tab",
                      name);
        // Made after the fill, so a copy is one line of the record, not one for each of its rows.
        createChangeRecord(conn, name);
        recordCopy(conn, name);
    });
}

} // namespace store
