#pragma once

#include "store/admin/serverroles.h"

#include <QString>
#include <QStringList>

#include <functional>

struct pg_conn;

namespace store {

class QueryChannel;

// The program's tables that the server's database already holds, by name.
QStringList existingServerTables(pg_conn *conn);

// Whether the database conninfo names holds every one of the program's tables: a directory that is
// there already, which a new folder may simply name. Throws StoreError when it cannot be asked.
bool serverHoldsDirectory(const QString &conninfo);

// Within the caller's transaction: refuses a database that holds any of the program's tables
// (naming them), else creates the collation, every table and index. Throws StoreError.
void createServerTables(pg_conn *conn, const QString &name);

// Within the caller's transaction, on a server made before the text limit: gives each text column
// of tab that lacks it the check that holds it to the limit (serverTextLimitName), unless a row
// breaks it (zelvik-cli check names such rows; the column gets its check from a later call once they
// are mended). Writes to tab wait meanwhile, so that none slips a longer text in between. Returns the
// columns left without. Throws StoreError naming the server.
QStringList addServerTextLimits(pg_conn *conn, const QString &name);

// Runs a command (or several) that returns no rows. Throws StoreError naming the server.
void serverCommand(pg_conn *conn, const char *sql, const QString &name);

// Makes a new directory on the server named by conninfo: every table and index and the sample
// reference data, the directory's roles (serverroles.h; members they have are refused unless
// members says they are kept) and the record of changes (changerecord.h), in one transaction, so a
// failure leaves the database as it was. Refuses a database that already has any of the tables, and
// at once one that another run is making a directory in (ServerBeingFilled). Throws StoreError
// naming the server.
void createServerDirectory(const QString &conninfo, RoleMembers members = RoleMembers::Refused);

// The same, with no sample data: the tables are filled through a channel on them inside the creating
// transaction, ids and all; the counter of tab then goes on after the highest id stored, and the
// record of changes starts with one line for the whole fill.
void createServerDirectory(const QString &conninfo, const std::function<void(QueryChannel &)> &fill,
                           RoleMembers members = RoleMembers::Refused);

} // namespace store
