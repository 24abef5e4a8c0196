#include "store/postgres/serverconnection.h"

#include <QScopeGuard>

#include <libpq-fe.h>

namespace store {

namespace {

QString trimmedMessage(const char *text)
{
    return QString::fromUtf8(text).trimmed();
}

// What a refused connection tells of encryption, found in libpq's words, in English or in the
// Russian of its catalog (which it speaks under a Russian locale), or in OpenSSL's, which it quotes
// untranslated; any other refusal is the server being unreachable.
StoreError::Kind refusalKind(const QString &message)
{
    using Kind = StoreError::Kind;
    struct Sign {
        Kind kind;
        QStringList words;
    };
    static const Sign signs[] = {
        {Kind::ServerCertificateUntrusted, {QStringLiteral("certificate verify failed")}},
        {Kind::ServerCertificateMismatch,
         {QStringLiteral("does not match host name"), QStringLiteral("не соответствует имени сервера")}},
        {Kind::ServerWithoutEncryption,
         {QStringLiteral("server does not support SSL"), QStringLiteral("сервер не поддерживает SSL")}},
        {Kind::ServerRequiresEncryption, {QStringLiteral("\", no encryption"), QStringLiteral("\", без шифрования")}},
    };
    for (const Sign &sign : signs)
        for (const QString &words : sign.words)
            if (message.contains(words))
                return sign.kind;
    return Kind::ServerUnreachable;
}

} // namespace

QString serverName(const QString &conninfo)
{
    QString host, port, database, user;
    const auto take = [&](PQconninfoOption *options) {
        for (PQconninfoOption *o = options; o && o->keyword; ++o) {
            if (!o->val || !*o->val)
                continue;
            const QString value = QString::fromUtf8(o->val);
            const QLatin1String key(o->keyword);
            if (key == QLatin1String("host") && host.isEmpty())
                host = value;
            else if (key == QLatin1String("hostaddr") && host.isEmpty())
                host = value;
            else if (key == QLatin1String("port") && port.isEmpty())
                port = value;
            else if (key == QLatin1String("dbname") && database.isEmpty())
                database = value;
            else if (key == QLatin1String("user") && user.isEmpty())
                user = value;
        }
    };
    char *error = nullptr;
    PQconninfoOption *given = PQconninfoParse(conninfo.toUtf8().constData(), &error);
    if (!given) {
        PQfreemem(error);
        return {}; // libpq says why when the string is used
    }
    take(given);
    PQconninfoFree(given);
    PQconninfoOption *defaults = PQconndefaults(); // PG* variables and libpq's own defaults
    take(defaults);
    PQconninfoFree(defaults);
    if (database.isEmpty())
        database = user;
    // In libpq's own terms; no host is its default, the local socket.
    QStringList parts;
    if (!host.isEmpty())
        parts << QStringLiteral("host=") + host;
    parts << QStringLiteral("port=") + (port.isEmpty() ? QStringLiteral("5432") : port);
    parts << QStringLiteral("dbname=") + database;
    return parts.join(u' ');
}

pg_conn *openServer(const QString &conninfo)
{
    const QByteArray text = conninfo.toUtf8();
    // Every connection string keyword is the user's, but the encoding and the application name are ours.
    const char *keywords[] = {"dbname", "client_encoding", "application_name", nullptr};
    const char *values[] = {text.constData(), "UTF8", "zelvik", nullptr};
    PGconn *conn = PQconnectdbParams(keywords, values, 1);
    if (!conn)
        throw StoreError(StoreError::Kind::OutOfMemory).at(serverName(conninfo));
    if (PQstatus(conn) != CONNECTION_OK) {
        const QString message = trimmedMessage(PQerrorMessage(conn));
        PQfinish(conn);
        throw StoreError(refusalKind(message), {serverName(conninfo), message});
    }
    return conn;
}

bool serverHasDirectory(pg_conn *conn)
{
    PGresult *result = PQexec(conn, "select to_regclass('tab') is not null");
    const auto clear = qScopeGuard([result] { PQclear(result); });
    return PQresultStatus(result) == PGRES_TUPLES_OK && PQntuples(result) == 1
        && PQgetvalue(result, 0, 0)[0] == 't';
}

StoreError serverFailure(pg_conn *conn, const pg_result *result, const QString &name)
{
    if (PQstatus(conn) != CONNECTION_OK)
        return StoreError(StoreError::Kind::ServerLost, {name, trimmedMessage(PQerrorMessage(conn))});
    const char *message = result ? PQresultErrorMessage(result) : PQerrorMessage(conn);
    return StoreError(StoreError::Kind::EngineFailure, {trimmedMessage(message)}).at(name);
}

} // namespace store
