#pragma once

#include <QString>

#include <libpq-fe.h>

#include <string>

// A libpq session of the test's own beside the program's: to hold locks, watch, or end its sessions.
class ServerSession {
public:
    explicit ServerSession(const QString &conninfo) : m_conn(PQconnectdb(conninfo.toUtf8().constData())) {}
    ~ServerSession() { PQfinish(m_conn); }
    ServerSession(const ServerSession &) = delete;
    ServerSession &operator=(const ServerSession &) = delete;

    // The first value of the statement's (last) result; the server's message, after "error: ", when
    // it failed; empty when it returns no value.
    std::string value(const std::string &sql)
    {
        PGresult *r = PQexec(m_conn, sql.c_str());
        const ExecStatusType status = PQresultStatus(r);
        std::string text;
        if (status == PGRES_TUPLES_OK && PQntuples(r) > 0)
            text = PQgetvalue(r, 0, 0);
        else if (status != PGRES_TUPLES_OK && status != PGRES_COMMAND_OK)
            text = "error: " + std::string(PQerrorMessage(m_conn));
        PQclear(r);
        return text;
    }

private:
    PGconn *m_conn;
};
