#pragma once

#include "store/storeerror.h"

#include <QString>

struct pg_conn;

namespace store {

// Why a connection that failed was not made, as an error of its own kind naming the server, with
// libpq's message (message, as it is shown) for the details. A connection refused at start-up carries
// no result, so no SQLSTATE reaches the client: the cause is read from libpq's words, in English or in
// the Russian of libpq's and the server's catalogs. libpq's message holds every attempt it made
// (sslmode=prefer tries again without TLS after any refusal), so the most telling cause found wins.
StoreError connectionRefusal(pg_conn *conn, const QString &conninfo, const QString &message);

} // namespace store
