#include "store/postgres/connectionrefusal.h"

#include "store/postgres/serverconnection.h"

#include <QRegularExpression>

#include <libpq-fe.h>

#include <memory>
#include <optional>
#include <vector>

namespace store {

namespace {

using Kind = StoreError::Kind;

struct Sign {
    Kind kind;
    QRegularExpression words;
};

// Most telling first: a database or login that is wrong is what to mend, whatever a second attempt
// without TLS met afterwards. pgbouncer words some of them its own way ("no such database", "SASL
// authentication failed", "SSL required").
const std::vector<Sign> &signs()
{
    const auto words = [](const char *pattern) { return QRegularExpression(QString::fromUtf8(pattern)); };
    static const std::vector<Sign> list{
        {Kind::ServerDatabaseMissing,
         words(R"(database "[^"]*" does not exist|база данных "[^"]*" не существует|no such database)")},
        {Kind::ServerPasswordMissing, words("no password supplied")},
        {Kind::ServerLoginRefused,
         words(R"(authentication failed for user|SASL authentication failed|не прошёл проверку подлинности|)"
               R"(role "[^"]*" does not exist|роль "[^"]*" не существует)")},
        {Kind::ServerRootCertificateMissing,
         words(R"(root certificate file "[^"]*" does not exist|файл корневых сертификатов "[^"]*" не существует)")},
        {Kind::ServerCertificateUntrusted, words("certificate verify failed")},
        {Kind::ServerCertificateMismatch, words("does not match host name|не соответствует имени сервера")},
        {Kind::ServerWithoutEncryption, words("server does not support SSL|сервер не поддерживает SSL")},
        {Kind::ServerRequiresEncryption, words("FATAL: +SSL required")},
        {Kind::ServerNotLetIn,
         words("no pg_hba.conf entry|в pg_hba.conf нет записи|pg_hba.conf rejects connection|"
               "pg_hba.conf отвергает подключение")},
    };
    return list;
}

std::optional<Kind> signedKind(const QString &message)
{
    for (const Sign &sign : signs())
        if (sign.words.match(message).hasMatch())
            return sign.kind;
    return std::nullopt;
}

struct OptionsDeleter {
    void operator()(PQconninfoOption *options) const { PQconninfoFree(options); }
};

// An option of the failed connection as libpq settled it (its defaults and PG* variables applied).
QString usedOption(pg_conn *conn, const char *keyword)
{
    const std::unique_ptr<PQconninfoOption, OptionsDeleter> options(PQconninfo(conn));
    for (const PQconninfoOption *o = options.get(); o && o->keyword; ++o)
        if (qstrcmp(o->keyword, keyword) == 0 && o->val)
            return QString::fromUtf8(o->val);
    return {};
}

// Whether the server would let this login in over TLS. Only a client that never offered TLS
// (sslmode=disable) cannot tell "no line for this login" from "hostssl lines only"; asked once, on
// the failure path alone.
bool letInEncrypted(const QString &conninfo)
{
    const QByteArray text = conninfo.toUtf8();
    const char *keywords[] = {"dbname", "sslmode", nullptr};
    const char *values[] = {text.constData(), "require", nullptr};
    PGconn *probe = PQconnectdbParams(keywords, values, 1);
    const bool connected = PQstatus(probe) == CONNECTION_OK;
    const std::optional<Kind> kind = signedKind(QString::fromUtf8(PQerrorMessage(probe)));
    PQfinish(probe);
    return connected || (kind != Kind::ServerNotLetIn && kind != Kind::ServerWithoutEncryption);
}

} // namespace

StoreError connectionRefusal(pg_conn *conn, const QString &conninfo, const QString &message)
{
    const QString name = serverName(conninfo);
    std::optional<Kind> kind = signedKind(message);
    if (!kind && PQconnectionNeedsPassword(conn))
        kind = Kind::ServerPasswordMissing;
    else if (!kind && PQconnectionUsedPassword(conn))
        kind = Kind::ServerLoginRefused;
    if (kind == Kind::ServerNotLetIn && usedOption(conn, "sslmode") == QLatin1String("disable") && letInEncrypted(conninfo))
        kind = Kind::ServerRequiresEncryption;
    if (kind == Kind::ServerRootCertificateMissing) {
        const QString file = usedOption(conn, "sslrootcert");
        return StoreError(*kind, {name, file.isEmpty() ? QStringLiteral("~/.postgresql/root.crt") : file, message});
    }
    return StoreError(kind.value_or(Kind::ServerUnreachable), {name, message});
}

} // namespace store
