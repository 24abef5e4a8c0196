#include "store/admin/serverroles.h"

#include "store/admin/changerecord.h"

#include "store/postgres/preparedstatements.h"
#include "store/postgres/serverconnection.h"
#include "store/provisioning/serverstorecreation.h"
#include "store/schema.h"
#include "store/storeerror.h"

#include <QScopeGuard>

#include <libpq-fe.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

namespace store {

namespace {

constexpr std::array<const char *, kDirectoryRoleCount> kSuffixes{"_reader", "_operator", "_editor"};

// Grants and revokes on one database wait for each other: two at once would both create a missing
// role, or change one table's rights together, and the second would fail on the first's work. A lock
// for the transaction's length, which a pooler in transaction mode keeps on one server connection.
constexpr const char *kRoleChangeLock = "select pg_advisory_xact_lock(7964209532)";

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
    QList<QByteArray> names() const
    {
        QList<QByteArray> list;
        for (const RoleState &role : roles)
            list << role.name.toUtf8();
        return list;
    }
    DirectoryRoleNames quotedNames() const
    {
        DirectoryRoleNames names;
        for (int r = 0; r < kDirectoryRoleCount; ++r)
            names.quoted[std::size_t(r)] = roles[std::size_t(r)].quoted;
        return names;
    }
};

// The database's name with the longest suffix must fit the server's names (63 bytes unless built
// otherwise): a longer one is cut, so the role made is not the one looked for, and cut names may
// even meet.
void requireFittingNames(pg_conn *conn, const QString &name)
{
    std::size_t longest = 0;
    for (const char *suffix : kSuffixes)
        longest = std::max(longest, std::strlen(suffix));
    const QStringList found = rows(conn, "select current_database(), octet_length(current_database()), "
                                         "current_setting('max_identifier_length')::int - $1::int",
                                   {QByteArray::number(qulonglong(longest))}, name)
                                  .first();
    if (found[1].toInt() > found[2].toInt())
        throw StoreError(StoreError::Kind::RoleNameTooLong, found).at(name);
}

RoleSetting readRoleSetting(pg_conn *conn, const QString &name)
{
    requireFittingNames(conn, name);
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

// The members of the directory's roles other than those roles themselves, as "role: member, member"
// in the roles' order. A membership that only lets its holder administer the role (PostgreSQL 16
// gives one to the login that creates a role, neither inherited nor to be SET) gives no access.
QStringList roleMembers(pg_conn *conn, const RoleSetting &setting, const QString &name)
{
    const std::string sql =
        "select r.rolname || ': ' || string_agg(distinct m.rolname, ', ' order by m.rolname) "
        "from pg_auth_members a join pg_roles r on r.oid = a.roleid join pg_roles m on m.oid = a.member "
        "where r.rolname in ($1, $2, $3) and m.rolname not in ($1, $2, $3) "
        "and coalesce((to_jsonb(a) ->> 'inherit_option')::bool or (to_jsonb(a) ->> 'set_option')::bool, true) "
        "group by r.rolname order by array_position(array[$1, $2, $3], r.rolname::text)";
    QStringList members;
    for (const QStringList &row : rows(conn, sql, setting.names(), name))
        members << row.first();
    return members;
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

// The login as a statement names it; LoginMissing when the server has no role of that name.
QString existingLogin(pg_conn *conn, const QString &login, const QString &name)
{
    const QList<QStringList> found = rows(conn, "select quote_ident(rolname) from pg_roles where rolname = $1",
                                          {login.toUtf8()}, name);
    if (found.isEmpty())
        throw StoreError(StoreError::Kind::LoginMissing, {login}).at(name);
    return found.first().first();
}

// Ends the member's membership in the role, every grant of it: since PostgreSQL 16 each grantor's
// grant is one of its own, and a plain REVOKE ends only the one the login running it made.
void endMembership(pg_conn *conn, const RoleState &role, const QString &member, const QString &quotedMember,
                   const QString &name)
{
    command(conn, QStringLiteral("REVOKE %1 FROM %2").arg(role.quoted, quotedMember), name);
    const std::string grantors = "select quote_ident(g.rolname) from pg_auth_members a "
                                 "join pg_roles r on r.oid = a.roleid join pg_roles m on m.oid = a.member "
                                 "join pg_roles g on g.oid = a.grantor where r.rolname = $1 and m.rolname = $2";
    for (const QStringList &grantor : rows(conn, grantors, {role.name.toUtf8(), member.toUtf8()}, name))
        command(conn, QStringLiteral("REVOKE %1 FROM %2 GRANTED BY %3").arg(role.quoted, quotedMember, grantor.first()),
                name);
}

// The directory's tables, for the reader's grant, and tab's data columns, for the operator's and
// the editor's.
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

// Runs work in a transaction on a connection to the server's database, one grant or revoke at a
// time; with the directory's tables when it needs them.
template <typename Work>
auto inTransaction(const QString &conninfo, bool needsDirectory, const Work &work)
{
    const QString name = serverName(conninfo);
    pg_conn *conn = openServer(conninfo);
    const auto finish = qScopeGuard([conn] { PQfinish(conn); });
    if (needsDirectory && !serverHasDirectory(conn, name))
        throw StoreError(StoreError::Kind::ServerWithoutDirectory, {name});
    serverCommand(conn, "BEGIN", name);
    try {
        serverCommand(conn, kRoleChangeLock, name);
        auto result = work(conn, name);
        serverCommand(conn, "COMMIT", name);
        return result;
    } catch (...) {
        PQclear(PQexec(conn, "ROLLBACK"));
        throw;
    }
}

} // namespace

const char *directoryRoleSuffix(DirectoryRole role)
{
    return kSuffixes[std::size_t(role)];
}

DirectoryRoleNames setUpServerRoles(pg_conn *conn, const QString &name, RoleMembers members)
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
    if (members == RoleMembers::Refused)
        if (const QStringList held = roleMembers(conn, before, name); !held.isEmpty())
            throw StoreError(StoreError::Kind::RoleMembersLeft, {held.join(QStringLiteral("; "))}).at(name);

    for (const RoleState &role : before.roles)
        if (!role.exists)
            command(conn, QStringLiteral("CREATE ROLE %1 NOLOGIN").arg(role.quoted), name);
    const QString &reader = before[DirectoryRole::Reader].quoted;
    const QString &op = before[DirectoryRole::Operator].quoted;
    const QString &editor = before[DirectoryRole::Editor].quoted;
    command(conn, QStringLiteral("GRANT SELECT ON %1 TO %2").arg(tableList(), reader), name);
    // Not the id: no one but the owner sets one and pushes the counter behind. A right on the whole
    // table would cover the id whatever the columns' own say, and a server made before gave the
    // editor one: it goes first, and with it the columns' (REVOKE on a table takes those too).
    command(conn, QStringLiteral("GRANT INSERT (%1) ON tab TO %2").arg(dataColumnList(), op), name);
    command(conn, QStringLiteral("REVOKE UPDATE ON tab FROM %1").arg(editor), name);
    command(conn, QStringLiteral("GRANT UPDATE (%1), DELETE ON tab TO %2").arg(dataColumnList(), editor), name);
    // Granted again, a membership only draws a notice.
    const auto include = [&](DirectoryRole member, DirectoryRole group) {
        if (!isDirectMember(conn, before[member].name, before[group].name, name))
            command(conn, QStringLiteral("GRANT %1 TO %2").arg(before[group].quoted, before[member].quoted), name);
    };
    include(DirectoryRole::Operator, DirectoryRole::Reader);
    include(DirectoryRole::Editor, DirectoryRole::Operator);
    return before.quotedNames();
}

RoleGrant grantServerRole(const QString &conninfo, const QString &login, DirectoryRole role)
{
    return inTransaction(conninfo, true, [&](pg_conn *conn, const QString &name) {
        const QString quotedLogin = existingLogin(conn, login, name);
        const DirectoryRoleNames names = setUpServerRoles(conn, name, RoleMembers::Kept);
        // A server made before the record of changes gets it with its first grant, and one whose
        // record every login could read is closed; one made before the text limit gets it.
        createChangeRecord(conn, name, names[DirectoryRole::Reader]);
        RoleGrant outcome{QString(), addServerTextLimits(conn, name)};
        const RoleSetting setting = readRoleSetting(conn, name);
        for (int r = 0; r < kDirectoryRoleCount; ++r) {
            const RoleState &state = setting.roles[r];
            const bool member = isDirectMember(conn, login, state.name, name);
            if (DirectoryRole(r) == role && !member)
                command(conn, QStringLiteral("GRANT %1 TO %2").arg(state.quoted, quotedLogin), name);
            else if (DirectoryRole(r) != role && member)
                endMembership(conn, state, login, quotedLogin, name);
        }
        outcome.role = setting[role].name;
        return outcome;
    });
}

RoleRevocation revokeServerRoles(const QString &conninfo, const QString &login)
{
    return inTransaction(conninfo, false, [&](pg_conn *conn, const QString &name) {
        const QString quotedLogin = existingLogin(conn, login, name);
        const RoleSetting setting = readRoleSetting(conn, name);
        QList<const RoleState *> held;
        for (const RoleState &state : setting.roles) {
            if (!state.exists || !isDirectMember(conn, login, state.name, name))
                continue;
            if (!state.administered)
                throw StoreError(StoreError::Kind::RoleAdminMissing, {setting.login, state.name}).at(name);
            held << &state;
        }
        RoleRevocation outcome;
        for (const RoleState *state : held) {
            endMembership(conn, *state, login, quotedLogin, name);
            outcome.revoked << state->name;
        }
        const std::string reached = "select r.rolname from pg_roles r where r.rolname in ($2, $3, $4) "
                                    "and pg_has_role($1, r.oid, 'MEMBER') "
                                    "order by array_position(array[$2, $3, $4], r.rolname::text)";
        for (const QStringList &row : rows(conn, reached, QList<QByteArray>{login.toUtf8()} + setting.names(), name))
            outcome.stillReached << row.first();
        return outcome;
    });
}

} // namespace store
