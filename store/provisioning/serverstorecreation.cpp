#include "store/provisioning/serverstorecreation.h"

#include "store/connection.h"
#include "store/admin/changerecord.h"
#include "store/postgres/preparedstatements.h"
#include "store/querychannel.h"
#include "store/provisioning/sampledata.h"
#include "store/admin/serverroles.h"
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

QStringList addServerTextLimits(pg_conn *conn, const QString &name)
{
    const PgResult present(
        PQexec(conn, "select conname from pg_constraint where conrelid = to_regclass('tab') and contype = 'c'"));
    if (PQresultStatus(present.get()) != PGRES_TUPLES_OK)
        throw serverFailure(conn, present.get(), name);
    QStringList existing;
    for (int r = 0; r < PQntuples(present.get()); ++r)
        existing << QString::fromUtf8(PQgetvalue(present.get(), r, 0));
    std::vector<std::string_view> missing;
    for (const ColumnDef &column : programTables().front().columns)
        if (column.kind == ColumnKind::Text
            && !existing.contains(QString::fromStdString(serverTextLimitName(column.name))))
            missing.push_back(column.name);
    if (missing.empty())
        return {};

    serverCommand(conn, "LOCK TABLE tab IN SHARE ROW EXCLUSIVE MODE", name);
    std::string scan;
    for (const std::string_view column : missing)
        scan.append(scan.empty() ? "select " : ", ").append("bool_or(not (" + serverTextLimitCondition(column) + "))");
    const PgResult broken(PQexec(conn, (scan + " from tab").c_str()));
    if (PQresultStatus(broken.get()) != PGRES_TUPLES_OK)
        throw serverFailure(conn, broken.get(), name);
    QStringList left;
    std::string alter;
    for (std::size_t i = 0; i < missing.size(); ++i) {
        if (PQgetvalue(broken.get(), 0, int(i))[0] == 't') {
            left << QString::fromLatin1(missing[i].data(), qsizetype(missing[i].size()));
            continue;
        }
        alter.append(alter.empty() ? "ALTER TABLE tab " : ", ")
            .append("ADD CONSTRAINT " + serverTextLimitName(missing[i]) + " CHECK ("
                    + serverTextLimitCondition(missing[i]) + ")");
    }
    if (!alter.empty())
        serverCommand(conn, alter.c_str(), name);
    return left;
}

namespace {

// A new directory on the server, its tables filled by fill, in one transaction. The roles are set up
// before the fill, so that a login that may not make them learns it before a long copy.
void createServerStore(const QString &conninfo, RoleMembers members,
                       const std::function<void(pg_conn *, const QString &, const DirectoryRoleNames &)> &fill)
{
    const QString name = serverName(conninfo);
    pg_conn *conn = openServer(conninfo);
    const auto finish = qScopeGuard([conn] { PQfinish(conn); });
    serverCommand(conn, "BEGIN", name);
    try {
        claimDatabase(conn, name);
        createServerTables(conn, name);
        const DirectoryRoleNames roles = setUpServerRoles(conn, name, members);
        fill(conn, name, roles);
        serverCommand(conn, "COMMIT", name);
    } catch (...) {
        PQclear(PQexec(conn, "ROLLBACK"));
        throw;
    }
}

} // namespace

void createServerDirectory(const QString &conninfo, RoleMembers members)
{
    createServerStore(conninfo, members, [](pg_conn *conn, const QString &name, const DirectoryRoleNames &roles) {
        insertSampleData(conn, name);
        createChangeRecord(conn, name, roles[DirectoryRole::Reader]);
    });
}

void createServerDirectory(const QString &conninfo, const std::function<void(QueryChannel &)> &fill,
                           RoleMembers members)
{
    createServerStore(conninfo, members, [&](pg_conn *conn, const QString &name, const DirectoryRoleNames &roles) {
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
        createChangeRecord(conn, name, roles[DirectoryRole::Reader]);
        recordCopy(conn, name);
    });
}

} // namespace store
