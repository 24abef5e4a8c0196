#pragma once

#include <QString>

#include <chrono>
#include <functional>
#include <memory>

struct pg_conn;
struct pg_result;

namespace store {

struct PgResultDeleter {
    void operator()(pg_result *result) const;
};
using PgResult = std::unique_ptr<pg_result, PgResultDeleter>;

// How long one request may wait for the server, and the server a wait that runs out names: its
// connection string, or the name serverName made of one (empty names none).
struct WaitLimit {
    QString server;
    std::chrono::milliseconds timeout;
};

// Queues one request on the connection (a PQsend... call, or the end of a COPY); 1 when it was queued.
using Send = std::function<int(pg_conn *)>;

// The request send queues, sent and answered: its last result, or the first that failed (the start
// of a COPY FROM STDIN ends the answer). The connection is in nonblocking mode (openServer puts it
// so), and every wait goes through waitForServer. Throws StoreError: as serverFailure when the
// request cannot be queued or the link breaks; ServerTimedOut, naming the server and the time waited,
// when the limit passes first, after asking the server to cancel the request (without waiting for
// it). The connection is no use after either: the caller gives it up, and the server rolls back
// whatever transaction it held.
PgResult exchange(pg_conn *conn, const Send &send, const WaitLimit &limit);
// Waits until everything queued on the connection has gone out (a COPY's rows). Throws as exchange.
void flushQueued(pg_conn *conn, const WaitLimit &limit);

// The seconds of a limit, as a message names them ("15", "2.5").
QString secondsText(std::chrono::milliseconds timeout);

} // namespace store
