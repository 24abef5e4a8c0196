#include "store/provisioning/serverroles.h"

#include "store/provisioning/changerecord.h"

#include "store/postgres/preparedstatements.h"
#include "store/postgres/serverconnection.h"
#include "store/provisioning/serverstorecreation.h"
#include "store/schema.h"
#include "store/storeerror.h"

#include <QScopeGuard>

#include <libpq-fe.h>

#include <array>
#include <functional>
#include <vector>

namespace store {

namespace {

constexpr std::array<const char *, kDirectoryRoleCount> kSuffixes{"_reader", "_operator", "_editor"};

// The rows of a query with text parameters, each row its cells as text. Throws StoreError.
QList<QStringList> rows(pg_conn *conn, const std::string &sql, const QList<QByteArray> &params, const QString &name)
{
    std::vector<const char *> values;
    for (const QByteArray &p : params)
        values.push_back(p.constData());
    const PgResult result(
        PQexecParams(conn, sql.c_str(), int(values.size()), nullptr, values.data(), nullptr, nullptr, 0));
    if (PQresultStatus(result.get()) != PGRES_TUPLES_OK)
        throw serverFailure(conn, result.get(), name);
    QList<QStringList> found;
    for (int r = 0; r < PQntuples(result.get()); ++r) {
        QStringList cells;
        for (int c = 0; c < PQnfields(result.get()); ++c)
            cells << QString::fromUtf8(PQgetvalue(result.get(), r, c));
        found << cells;
    }
    return found;
}

void command(pg_conn *conn, const QString &sql, const QString &name)
{
    serverCommand(conn, sql.toUtf8().constData(), name);
}

// One of the directory's roles as the server holds it, seen by the login running this.
struct RoleState {
    QString name;   // as the server spells it
    QString quoted; // as a statement names it
    bool exists = false;
    bool administered = false; // the login may grant and revoke it
};

// Who runs this, and the directory's roles as they stand.
struct RoleSetting {
    QString login;
    bool mayCreateRoles = false;
    std::array<RoleState, kDirectoryRoleCount> roles;

    const RoleState &operator[](DirectoryRole role) const { return roles[int(role)]; }
};

RoleSetting readRoleSetting(pg_conn *conn, const QString &name)
{
    // Before 16, CREATEROLE alone let a login grant any role that is no superuser; since, ADMIN does
    // (which the login that creates a role gets with it).
    const std::string sql =
        "select current_user, me.rolsuper or me.rolcreaterole, n, quote_ident(n), r.oid is not null, "
        "coalesce(me.rolsuper or pg_has_role(r.oid, 'MEMBER WITH ADMIN OPTION') "
        "  or (me.rolcreaterole and current_setting('server_version_num')::int < 160000), false) "
        "from unnest(array[current_database() || $1, current_database() || $2, current_database() || $3]) "
        "  with ordinality as t(n, i) "
        "left join pg_roles r on r.rolname = n "
        "cross join (select rolsuper, rolcreaterole from pg_roles where rolname = current_user) me "
        "order by i";
    const QList<QStringList> found = rows(conn, sql, {kSuffixes[0], kSuffixes[1], kSuffixes[2]}, name);
    RoleSetting setting;
    for (int r = 0; r < found.size() && r < kDirectoryRoleCount; ++r) {
        const QStringList &cells = found[r];
        setting.login = cells[0];
        setting.mayCreateRoles = cells[1] == u't';
        setting.roles[r] = {cells[2], cells[3], cells[4] == u't', cells[5] == u't'};
    }
    return setting;
}

// The first of the directory's tables the login does not own.
QString tableNotOwned(pg_conn *conn, const QString &name)
{
    std::string names;
    for (const TableDef &t : programTables())
        names.append(names.empty() ? "'" : ",'").append(t.name).append("'");
    const std::string sql = "select t from unnest(array[" + names + "]) with ordinality as n(t, i) "
                            "join pg_class c on c.oid = to_regclass(quote_ident(t)) "
                            "where not pg_has_role(c.relowner, 'USAGE') order by i limit 1";
    const QList<QStringList> found = rows(conn, sql, {}, name);
    return found.isEmpty() ? QString() : found.first().first();
}

bool isDirectMember(pg_conn *conn, const QString &member, const QString &role, const QString &name)
{
    const std::string sql = "select 1 from pg_auth_members m join pg_roles r on r.oid = m.roleid "
                            "join pg_roles u on u.oid = m.member where u.rolname = $1 and r.rolname = $2";
    return !rows(conn, sql, {member.toUtf8(), role.toUtf8()}, name).isEmpty();
}

QString quotedName(pg_conn *conn, const QString &role, const QString &name)
{
    return rows(conn, "select quote_ident($1)", {role.toUtf8()}, name).first().first();
}

// The directory's tables, for the reader's grant, and tab's data columns, for the operator's.
QString tableList()
{
    QStringList names;
    for (const TableDef &t : programTables())
        names << QString::fromUtf8(t.name.data(), qsizetype(t.name.size()));
    return names.join(QStringLiteral(", "));
}

QString dataColumnList()
{
    QStringList names;
    for (const ColumnDef &c : programTables().front().columns)
        if (c.kind != ColumnKind::Counter)
            names << QString::fromUtf8(c.name.data(), qsizetype(c.name.size()));
    return names.join(QStringLiteral(", "));
}

// Runs work in a transaction on a connection to the server's directory.
template <typename Work>
auto inTransaction(const QString &conninfo, const Work &work)
{
    const QString name = serverName(conninfo);
    pg_conn *conn = openServer(conninfo);
    const auto finish = qScopeGuard([conn] { PQfinish(conn); });
    if (!serverHasDirectory(conn, name))
        throw StoreError(StoreError::Kind::ServerWithoutDirectory, {name});
    serverCommand(conn, "BEGIN", name);
    try {
        auto result = work(conn, name);
        serverCommand(conn, "COMMIT", name);
        return result;
    } catch (...) {
        PQclear(PQexec(conn, "ROLLBACK"));
        throw;
    }
}

} // namespace

void setUpServerRoles(pg_conn *conn, const QString &name)
{
    const RoleSetting before = readRoleSetting(conn, name);
    if (const QString table = tableNotOwned(conn, name); !table.isEmpty())
        throw StoreError(StoreError::Kind::TableNotOwned, {before.login, table}).at(name);
    for (const RoleState &role : before.roles) {
        if (!role.exists && !before.mayCreateRoles)
            throw StoreError(StoreError::Kind::RoleCreationNotAllowed, {before.login}).at(name);
        if (role.exists && !role.administered)
            throw StoreError(StoreError::Kind::RoleAdminMissing, {before.login, role.name}).at(name);
    }

    for (const RoleState &role : before.roles)
        if (!role.exists)
            command(conn, QStringLiteral("CREATE ROLE %1 NOLOGIN").arg(role.quoted), name);
    const QString &reader = before[DirectoryRole::Reader].quoted;
    const QString &op = before[DirectoryRole::Operator].quoted;
    const QString &editor = before[DirectoryRole::Editor].quoted;
    command(conn, QStringLiteral("GRANT SELECT ON %1 TO %2").arg(tableList(), reader), name);
    // Not the id: no one but the owner sets one and pushes the counter behind.
    command(conn, QStringLiteral("GRANT INSERT (%1) ON tab TO %2").arg(dataColumnList(), op), name);
    command(conn, QStringLiteral("GRANT UPDATE, DELETE ON tab TO %1").arg(editor), name);
    // Granted again, a membership only draws a notice.
    const auto include = [&](DirectoryRole member, DirectoryRole group) {
        if (!isDirectMember(conn, before[member].name, before[group].name, name))
            command(conn, QStringLiteral("GRANT %1 TO %2").arg(before[group].quoted, before[member].quoted), name);
    };
    include(DirectoryRole::Operator, DirectoryRole::Reader);
    include(DirectoryRole::Editor, DirectoryRole::Operator);
}

QString grantServerRole(const QString &conninfo, const QString &login, DirectoryRole role)
{
    return inTransaction(conninfo, [&](pg_conn *conn, const QString &name) {
        setUpServerRoles(conn, name);
        // A server made before the record of changes gets it with its first grant.
        createChangeRecord(conn, name);
        const RoleSetting setting = readRoleSetting(conn, name);
        const QString quotedLogin = quotedName(conn, login, name);
        for (int r = 0; r < kDirectoryRoleCount; ++r) {
            const RoleState &state = setting.roles[r];
            const bool member = isDirectMember(conn, login, state.name, name);
            if (DirectoryRole(r) == role && !member)
                command(conn, QStringLiteral("GRANT %1 TO %2").arg(state.quoted, quotedLogin), name);
            else if (DirectoryRole(r) != role && member)
                command(conn, QStringLiteral("REVOKE %1 FROM %2").arg(state.quoted, quotedLogin), name);
        }
        return setting[role].name;
    });
}

QStringList revokeServerRoles(const QString &conninfo, const QString &login)
{
    return inTransaction(conninfo, [&](pg_conn *conn, const QString &name) {
        const RoleSetting setting = readRoleSetting(conn, name);
        QList<const RoleState *> held;
        for (const RoleState &state : setting.roles) {
            if (!state.exists || !isDirectMember(conn, login, state.name, name))
                continue;
            if (!state.administered)
                throw StoreError(StoreError::Kind::RoleAdminMissing, {setting.login, state.name}).at(name);
            held << &state;
        }
        const QString quotedLogin = quotedName(conn, login, name);
        QStringList revoked;
        for (const RoleState *state : held) {
            command(conn, QStringLiteral("REVOKE %1 FROM %2").arg(state->quoted, quotedLogin), name);
            revoked << state->name;
        }
        return revoked;
    });
}

} // namespace store
