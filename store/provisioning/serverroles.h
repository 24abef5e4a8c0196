#pragma once

#include <QString>
#include <QStringList>

struct pg_conn;

namespace store {

// The group roles (NOLOGIN) of a directory on a server. Each is named after the database
// ("<database>_reader" and so on), so that two directories on one server keep theirs apart.
enum class DirectoryRole {
    Reader,   // searches: SELECT on every table of the directory
    Operator, // a reader that also stores the entries a search invents: INSERT on tab's data columns
    Editor,   // an operator that also changes and deletes entries: UPDATE, DELETE on tab
};
inline constexpr int kDirectoryRoleCount = int(DirectoryRole::Editor) + 1;

// Within the caller's transaction: creates whichever of the three roles is missing and gives each
// its rights (again, where it has them: nothing changes then). The login needs to own every table,
// to be allowed to create roles when one is missing and to hold ADMIN on the roles that exist;
// lacking one it changes nothing and throws the StoreError naming that right
// (TableNotOwned, RoleCreationNotAllowed, RoleAdminMissing). Throws StoreError naming the server.
void setUpServerRoles(pg_conn *conn, const QString &name);

// Makes the login a member of that role of the directory on the server, and of no other of its
// roles, setting the roles up first (setUpServerRoles). One transaction. Returns the role's name.
// Throws StoreError naming the server.
QString grantServerRole(const QString &conninfo, const QString &login, DirectoryRole role);

// Ends the login's membership in each of the directory's roles. One transaction; nothing is
// revoked unless every one can be. Returns the roles it was a member of. Throws StoreError.
QStringList revokeServerRoles(const QString &conninfo, const QString &login);

} // namespace store
