#pragma once

#include <QString>

#include <libpq-fe.h>

#include <string>

// A libpq connection of the test's own, for looking beneath the channel and for doing to a server
// what an administrator or another program would.
struct ServerSession {
    explicit ServerSession(const QString &conninfo) : conn(PQconnectdb(conninfo.toUtf8().constData())) {}
    ~ServerSession() { PQfinish(conn); }
    ServerSession(const ServerSession &) = delete;
    ServerSession &operator=(const ServerSession &) = delete;

    // The first value of the statement's first row, or "error: " and the server's message.
    std::string value(const std::string &sql)
    {
        PGresult *r = PQexec(conn, sql.c_str());
        const ExecStatusType status = PQresultStatus(r);
        std::string text = status == PGRES_TUPLES_OK && PQntuples(r) > 0 ? PQgetvalue(r, 0, 0)
                           : status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK
                               ? std::string()
                               : "error: " + std::string(PQerrorMessage(conn));
        PQclear(r);
        return text;
    }
    std::string plan(const std::string &sql)
    {
        PQclear(PQexec(conn, "set enable_seqscan = off"));
        PGresult *r = PQexec(conn, ("explain " + sql).c_str());
        std::string text;
        for (int i = 0; i < PQntuples(r); ++i)
            text.append(PQgetvalue(r, i, 0)).append("\n");
        PQclear(r);
        return text;
    }
    PGconn *conn;
};
