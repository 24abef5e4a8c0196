#pragma once

#include <QString>
#include <QStringList>

#include <array>

struct pg_conn;

namespace store {

// The group roles (NOLOGIN) of a directory on a server. Each is named after the database
// ("<database>_reader" and so on), so that two directories on one server keep theirs apart.
enum class DirectoryRole {
    Reader,   // searches: SELECT on every table of the directory and on its record of changes
    Operator, // a reader that also stores the entries a search invents: INSERT on tab's data columns
    Editor,   // an operator that also changes and deletes entries: UPDATE on tab's data columns, DELETE
};
inline constexpr int kDirectoryRoleCount = int(DirectoryRole::Editor) + 1;

// What follows the database's name in the role's.
const char *directoryRoleSuffix(DirectoryRole role);

// The roles as statements name them (quoted), in DirectoryRole's order.
struct DirectoryRoleNames {
    std::array<QString, kDirectoryRoleCount> quoted;
    const QString &operator[](DirectoryRole role) const { return quoted[std::size_t(role)]; }
};

// Roles are the cluster's, not the database's: a database dropped and made again under its name
// finds the roles of the directory it held, with their members. A new directory is theirs only
// when its maker says so.
enum class RoleMembers {
    Refused, // roles that have members stop the making of a directory, which names them
    Kept,    // their members are members of the new directory's roles
};

// Within the caller's transaction: creates whichever of the three roles is missing and gives each
// its rights (again, where it has them: nothing changes then). The login needs to own every table,
// to be allowed to create roles when one is missing and to hold ADMIN on the roles that exist;
// lacking one it changes nothing and throws the StoreError naming that right
// (TableNotOwned, RoleCreationNotAllowed, RoleAdminMissing). A database whose name leaves a role's
// name longer than the server keeps is refused (RoleNameTooLong), and with RoleMembers::Refused so
// are roles that have members (RoleMembersLeft, naming them). Throws StoreError naming the server.
DirectoryRoleNames setUpServerRoles(pg_conn *conn, const QString &name, RoleMembers members);

// What grant did: the role the login is a member of now, and the text columns of tab the server
// does not hold to the limit yet, because rows break it (empty once it holds every one).
struct RoleGrant {
    QString role;
    QStringList unlimitedColumns;
};

// Makes the login a member of that role of the directory on the server, and of no other of its
// roles, setting the roles up first (setUpServerRoles) and mending what a server made before lacks:
// the record of changes and its rights, and the text limit on each column no row breaks. Waits for
// another grant or revoke on the database to end. One transaction. A login the server does not
// have is refused (LoginMissing). Throws StoreError naming the server.
RoleGrant grantServerRole(const QString &conninfo, const QString &login, DirectoryRole role);

// What revoke did: the roles whose memberships it ended, and those the login still reaches through
// another role it is a member of (which revoke leaves alone).
struct RoleRevocation {
    QStringList revoked;
    QStringList stillReached;
};

// Ends the login's memberships in each of the directory's roles, whoever granted them. One
// transaction; nothing is revoked unless every one can be. The database needs no directory's tables:
// the roles of a directory dropped with its database are revoked too. Throws StoreError.
RoleRevocation revokeServerRoles(const QString &conninfo, const QString &login);

} // namespace store
