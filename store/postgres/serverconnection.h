#pragma once

#include "config/conffile.h"
#include "store/entryrights.h"
#include "store/postgres/serverexchange.h"
#include "store/storeerror.h"

#include <QString>

#include <chrono>
#include <string>

struct pg_conn;
struct pg_result;

namespace store {

// Where a libpq connection string (or postgresql:// URI) leads, for messages: host, port and
// database as libpq would use them, with its defaults and PG* variables, in libpq's keywords
// ("host=db port=5432 dbname=office"; no host: the local socket); never a password. Empty when libpq
// cannot read the string, or reads in it a port that is no number, a host or a database name
// holding "@" (what an unencoded "/" or "@" in a URI's password gives): openServer refuses such a
// string unshown.
QString serverName(const QString &conninfo);

// Whether the connection string carries a password or a client key's passphrase (password=,
// sslpassword=, a URI's user:password@ or ?password=), as libpq's own parser reads it, percent-encoding
// and quoting included. A string libpq cannot read carries none that anyone could tell; openServer
// refuses it without showing it.
bool holdsPassword(const QString &conninfo);

// Opens a connection to the server, in UTF-8 and with the directory's settings, in nonblocking mode
// (see exchange); the server's notices are dropped, never printed. Connecting waits through
// waitForServer, at most timeout. Throws StoreError naming the server when the string cannot be
// read, the server cannot be reached, refuses the login or has not let the connection in in time;
// libpq's text never echoes the string.
pg_conn *openServer(const QString &conninfo, std::chrono::milliseconds timeout = config::kServerTimeout);

// Whether the database holds the directory table. A question that fails (a pooler that finds no
// server, say) is that failure, at the server's name, never taken for a missing table; one that
// waits past timeout throws ServerTimedOut (see exchange).
bool serverHasDirectory(pg_conn *conn, const QString &name = {},
                        std::chrono::milliseconds timeout = config::kServerTimeout);

// What the login may do to tab's entries. Reading, adding and changing count only when every data
// column allows it (they can be granted column by column: an operator adds without setting an id).
// A question the server refuses counts as nothing allowed; the statements themselves then say why.
// Throws as serverHasDirectory.
EntryRights serverEntryRights(pg_conn *conn, const WaitLimit &limit);

// Whether the failure of the command whose result this is (of the connection's last command when
// null) means the link to the server is gone: libpq says so, or the failure carries no SQLSTATE
// with the socket closed, or it is of class 08 (connection exception) or 57P01-57P03 (the server
// shuts down, crashed or is starting). libpq may still report the connection as good then.
bool linkLost(pg_conn *conn, const pg_result *result);

// The error for a failed command: the server's message, at the server's name. When the link is
// lost (see linkLost), an error of its own kind; a table the login may not use, another.
// sql is the statement that failed, when there is one: it tells which action was not permitted.
StoreError serverFailure(pg_conn *conn, const pg_result *result, const QString &name, const std::string &sql = {});

} // namespace store
