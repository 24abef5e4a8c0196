#pragma once

#include "store/entryrights.h"
#include "store/storeerror.h"

#include <QString>

struct pg_conn;
struct pg_result;

namespace store {

// Where a libpq connection string (or postgresql:// URI) leads, for messages: host, port and
// database as libpq would use them, with its defaults and PG* variables, in libpq's keywords
// ("host=db port=5432 dbname=office"; no host: the local socket); never a password. Empty when libpq
// cannot read the string.
QString serverName(const QString &conninfo);

// Opens a connection to the server, in UTF-8 and with the directory's settings. Throws
// StoreError naming the server when it cannot be reached or refuses the login.
pg_conn *openServer(const QString &conninfo);

// Whether the database holds the directory table.
bool serverHasDirectory(pg_conn *conn);

// What the login may do to tab's entries. Reading, adding and changing count only when every data
// column allows it (they can be granted column by column: an operator adds without setting an id).
// A failed question counts as nothing allowed; the statements themselves then say why.
EntryRights serverEntryRights(pg_conn *conn);

// The error for a failed command: the server's message, at the server's name. When the connection
// itself broke, an error of its own kind.
StoreError serverFailure(pg_conn *conn, const pg_result *result, const QString &name);

} // namespace store
