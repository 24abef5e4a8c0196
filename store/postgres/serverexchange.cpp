#include "store/postgres/serverexchange.h"

#include "store/postgres/serverconnection.h"
#include "store/serverwait.h"
#include "store/storeerror.h"

#include <libpq-fe.h>

#include <QDeadlineTimer>

#include <thread>

namespace store {

namespace {

QString named(const WaitLimit &limit)
{
    return limit.server.isEmpty() ? QString() : serverName(limit.server);
}

[[noreturn]] void linkFailed(pg_conn *conn, const WaitLimit &limit)
{
    throw serverFailure(conn, nullptr, named(limit));
}

// The server has not answered in time. It may be at work on the request, waiting for a lock, or
// stopped altogether: it is asked to give the request up, from a thread of its own, since libpq's
// cancel waits for the server to hear it. The caller gives the connection up, and the server rolls
// back the transaction it held when it sees the connection go.
[[noreturn]] void timedOut(pg_conn *conn, const WaitLimit &limit)
{
    if (PGcancel *cancel = PQgetCancel(conn))
        std::thread([cancel] {
            char reason[256];
            PQcancel(cancel, reason, sizeof reason);
            PQfreeCancel(cancel);
        }).detach();
    throw StoreError(StoreError::Kind::ServerTimedOut, {named(limit), secondsText(limit.timeout)});
}

// Sends what is queued and reads what arrives until a whole result is there (or, with results
// false, until nothing is left to send).
void waitUntilReady(pg_conn *conn, const WaitLimit &limit, const QDeadlineTimer &deadline, bool results)
{
    for (;;) {
        const int unsent = PQflush(conn);
        if (unsent < 0)
            linkFailed(conn, limit);
        if (unsent == 0 && (!results || !PQisBusy(conn)))
            return;
        const int socket = PQsocket(conn);
        if (socket < 0)
            linkFailed(conn, limit);
        const SocketReady ready = unsent > 0 ? SocketReady::ReadOrWrite : SocketReady::Read;
        if (!waitForServer(socket, ready, deadline))
            timedOut(conn, limit);
        if (!PQconsumeInput(conn))
            linkFailed(conn, limit);
    }
}

bool startsCopy(ExecStatusType status)
{
    return status == PGRES_COPY_IN || status == PGRES_COPY_OUT || status == PGRES_COPY_BOTH;
}

} // namespace

void PgResultDeleter::operator()(pg_result *result) const
{
    PQclear(result);
}

QString secondsText(std::chrono::milliseconds timeout)
{
    return QString::number(double(timeout.count()) / 1000.0, 'g', 6);
}

PgResult exchange(pg_conn *conn, const Send &send, const WaitLimit &limit)
{
    if (send(conn) != 1)
        linkFailed(conn, limit);
    const QDeadlineTimer deadline(limit.timeout);
    PgResult kept;
    for (;;) {
        waitUntilReady(conn, limit, deadline, true);
        PgResult next(PQgetResult(conn));
        if (!next)
            return kept;
        const ExecStatusType status = PQresultStatus(next.get());
        if (!kept || PQresultStatus(kept.get()) != PGRES_FATAL_ERROR)
            kept = std::move(next);
        if (startsCopy(status))
            return kept;
    }
}

void flushQueued(pg_conn *conn, const WaitLimit &limit)
{
    waitUntilReady(conn, limit, QDeadlineTimer(limit.timeout), false);
}

} // namespace store
