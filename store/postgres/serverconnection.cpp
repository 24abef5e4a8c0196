#include "store/postgres/serverconnection.h"

#include "store/platform/socketprobe.h"
#include "store/postgres/connectionrefusal.h"
#include "store/schema.h"
#include "store/serverwait.h"

#include <QDeadlineTimer>
#include <QRegularExpression>

#include <libpq-fe.h>

#include <memory>

namespace store {

namespace {

// libpq's message on one line: it breaks its hints onto lines of their own with tab indents, which a
// message box or a terminal would show as ragged columns.
QString trimmedMessage(const char *text)
{
    return QString::fromUtf8(text).simplified();
}

struct OptionsDeleter {
    void operator()(PQconninfoOption *options) const { PQconninfoFree(options); }
};
using Options = std::unique_ptr<PQconninfoOption, OptionsDeleter>;

// Whether libpq's reading of the string is what its writer meant. An unencoded "/" in a URI's
// password ends the URI's authority there, so libpq reads "user:pass" as a host and a port; an
// unencoded "@" ends the password at the first one and leaves the rest in the host. libpq would
// refuse the port when connecting, quoting it, and could resolve no such host: the password's
// pieces would show as the server's name. A host may start with "@" (an abstract socket), and a
// socket's folder ("/...") may hold one anywhere; a database name holding one is what a "/" after a
// port's digits leaves.
bool readAsMeant(const PQconninfoOption *options)
{
    const auto portNumbers = [](const QString &ports) {
        for (const QStringView port : QStringView(ports).split(u',')) {
            bool ok = port.trimmed().isEmpty();
            if (!ok) {
                const int number = port.trimmed().toInt(&ok);
                ok = ok && number >= 1 && number <= 65535;
            }
            if (!ok)
                return false;
        }
        return true;
    };
    for (const PQconninfoOption *o = options; o->keyword; ++o) {
        if (!o->val)
            continue;
        const QString value = QString::fromUtf8(o->val);
        const QLatin1String key(o->keyword);
        if (key == QLatin1String("port") && !portNumbers(value))
            return false;
        if (key == QLatin1String("dbname") && value.contains(u'@'))
            return false;
        if (key == QLatin1String("host"))
            for (const QStringView host : QStringView(value).split(u','))
                if (!host.startsWith(u'/') && host.indexOf(u'@', 1) >= 0)
                    return false;
    }
    return true;
}

// The string's options as libpq reads it; null when it cannot, or when what it reads is not what was
// meant (see readAsMeant): libpq's reason, its refusal or the server's name would quote the string.
Options parsedOptions(const QString &conninfo)
{
    char *error = nullptr;
    Options options(PQconninfoParse(conninfo.toUtf8().constData(), &error));
    PQfreemem(error);
    if (options && !readAsMeant(options.get()))
        options.reset();
    return options;
}

void ignoreNotice(void *, const char *)
{
}

// Whether the server's end of the socket is gone: libpq reports a failure of its own (no SQLSTATE)
// yet may keep its status good, when the write that met the closed socket failed.
bool socketClosed(pg_conn *conn)
{
    const int fd = PQsocket(conn);
    if (fd < 0)
        return true;
    return peerHasClosed(fd);
}

// The statement's first word, lower-cased: what it does to the entries.
QString commandWord(const std::string &sql)
{
    static const QRegularExpression word(QStringLiteral("^\\s*\\(*\\s*([A-Za-z]+)"));
    return word.match(QString::fromStdString(sql)).captured(1).toLower();
}

} // namespace

bool holdsPassword(const QString &conninfo)
{
    const Options options = parsedOptions(conninfo);
    for (const PQconninfoOption *o = options.get(); o && o->keyword; ++o)
        if ((qstrcmp(o->keyword, "password") == 0 || qstrcmp(o->keyword, "sslpassword") == 0) && o->val && *o->val)
            return true;
    return false;
}

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
    const Options given = parsedOptions(conninfo);
    if (!given)
        return {}; // openServer refuses it
    take(given.get());
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

pg_conn *openServer(const QString &conninfo, std::chrono::milliseconds timeout)
{
    if (!parsedOptions(conninfo))
        throw StoreError(StoreError::Kind::ConnectionStringUnreadable);
    const QByteArray text = conninfo.toUtf8();
    // Every connection string keyword is the user's, but the encoding and the application name are ours.
    const char *keywords[] = {"dbname", "client_encoding", "application_name", nullptr};
    const char *values[] = {text.constData(), "UTF8", "zelvik", nullptr};
    std::unique_ptr<PGconn, decltype(&PQfinish)> conn(PQconnectStartParams(keywords, values, 1), &PQfinish);
    if (!conn)
        throw StoreError(StoreError::Kind::OutOfMemory).at(serverName(conninfo));
    // libpq's own connect_timeout would block the thread; its steps are taken here, each wait
    // through waitForServer. A host that refuses is left for the next one by libpq itself.
    const QDeadlineTimer deadline(timeout);
    for (PostgresPollingStatusType step = PGRES_POLLING_WRITING;
         PQstatus(conn.get()) != CONNECTION_BAD && step != PGRES_POLLING_OK && step != PGRES_POLLING_FAILED;
         step = PQconnectPoll(conn.get())) {
        const int socket = PQsocket(conn.get());
        const SocketReady ready = step == PGRES_POLLING_READING ? SocketReady::Read : SocketReady::Write;
        if (socket >= 0 && !waitForServer(socket, ready, deadline))
            throw StoreError(StoreError::Kind::ServerTimedOut, {serverName(conninfo), secondsText(timeout)});
    }
    if (PQstatus(conn.get()) != CONNECTION_OK)
        throw connectionRefusal(conn.get(), conninfo, trimmedMessage(PQerrorMessage(conn.get())));
    if (PQsetnonblocking(conn.get(), 1) != 0)
        throw StoreError(StoreError::Kind::ServerUnreachable,
                         {serverName(conninfo), trimmedMessage(PQerrorMessage(conn.get()))});
    // The server's NOTICE and WARNING lines are for its administrator, not the user's terminal.
    PQsetNoticeProcessor(conn.get(), ignoreNotice, nullptr);
    return conn.release();
}

bool serverHasDirectory(pg_conn *conn, const QString &name, std::chrono::milliseconds timeout)
{
    const PgResult result = exchange(
        conn, [](pg_conn *c) { return PQsendQuery(c, "select to_regclass('tab') is not null"); }, {name, timeout});
    if (PQresultStatus(result.get()) != PGRES_TUPLES_OK)
        throw serverFailure(conn, result.get(), name);
    return PQntuples(result.get()) == 1 && PQgetvalue(result.get(), 0, 0)[0] == 't';
}

namespace {

// "select has_column_privilege('tab', 'fam', 'INSERT') and ..." for the columns the action needs.
std::string everyColumnAllows(const char *privilege, bool withId)
{
    std::string test;
    for (const ColumnDef &column : programTables().front().columns) {
        if (column.kind == ColumnKind::Counter && !withId)
            continue;
        test.append(test.empty() ? "" : " and ")
            .append("has_column_privilege('tab', '")
            .append(column.name)
            .append("', '")
            .append(privilege)
            .append("')");
    }
    return test;
}

} // namespace

EntryRights serverEntryRights(pg_conn *conn, const WaitLimit &limit)
{
    static const std::string question = "select " + everyColumnAllows("SELECT", true) + ", "
        + everyColumnAllows("INSERT", false) + ", " + everyColumnAllows("UPDATE", false)
        + ", has_table_privilege('tab', 'DELETE')";
    EntryRights rights;
    const PgResult result = exchange(conn, [](pg_conn *c) { return PQsendQuery(c, question.c_str()); }, limit);
    if (PQresultStatus(result.get()) != PGRES_TUPLES_OK || PQntuples(result.get()) != 1)
        return rights;
    for (int action = 0; action < kEntryActionCount; ++action)
        rights.set(EntryAction(action), PQgetvalue(result.get(), 0, action)[0] == 't');
    return rights;
}

bool linkLost(pg_conn *conn, const pg_result *result)
{
    if (PQstatus(conn) != CONNECTION_OK)
        return true;
    const char *state = result ? PQresultErrorField(result, PG_DIAG_SQLSTATE) : nullptr;
    if (!state || !*state)
        return socketClosed(conn);
    const QLatin1String code(state);
    return code.startsWith(QLatin1String("08")) || code == QLatin1String("57P01") || code == QLatin1String("57P02")
        || code == QLatin1String("57P03");
}

StoreError serverFailure(pg_conn *conn, const pg_result *result, const QString &name, const std::string &sql)
{
    const QString message = trimmedMessage(result ? PQresultErrorMessage(result) : PQerrorMessage(conn));
    if (linkLost(conn, result))
        return StoreError(StoreError::Kind::ServerLost,
                          {name, message.isEmpty() ? trimmedMessage(PQerrorMessage(conn)) : message});
    const char *state = result ? PQresultErrorField(result, PG_DIAG_SQLSTATE) : nullptr;
    if (state && qstrcmp(state, "42501") == 0) // insufficient_privilege
        return StoreError(StoreError::Kind::NotPermitted, {commandWord(sql), message});
    return StoreError(StoreError::Kind::EngineFailure, {message}).at(name);
}

} // namespace store
