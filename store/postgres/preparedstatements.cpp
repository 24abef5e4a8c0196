#include "store/postgres/preparedstatements.h"

#include "store/connection.h"
#include "store/schema.h"
#include "store/storeerror.h"
#include "store/postgres/readretry.h"
#include "store/postgres/serverconnection.h"
#include "store/postgres/unnamedstatements.h"

#include <libpq-fe.h>

#include <algorithm>
#include <charconv>

namespace store {

namespace {

// Type oids of the built-in types, fixed in every PostgreSQL.
enum : Oid {
    kBool = 16,
    kBytea = 17,
    kInt8 = 20,
    kInt2 = 21,
    kInt4 = 23,
    kOid = 26,
    kFloat4 = 700,
    kFloat8 = 701,
    kNumeric = 1700,
};

} // namespace

PreparedStatements::PreparedStatements(Connection &connection, std::size_t capacity)
    : m_connection(connection), m_capacity(capacity)
{
}

pg_conn *PreparedStatements::conn()
{
    // Statements prepared on an earlier connection went with it.
    if (m_connection.generation() != m_generation) {
        m_prepared.clear();
        m_tableNames.clear();
        m_generation = m_connection.generation();
    }
    return m_connection.serverHandle();
}

void PreparedStatements::fail(const pg_result *result, const std::string &sql)
{
    // check_violation of a text limit: a value the server built (the channel refuses longer ones first).
    const char *state = result ? PQresultErrorField(result, PG_DIAG_SQLSTATE) : nullptr;
    const char *constraint = result ? PQresultErrorField(result, PG_DIAG_CONSTRAINT_NAME) : nullptr;
    if (state && constraint && qstrcmp(state, "23514") == 0)
        if (const std::string_view column = textLimitColumn(constraint); !column.empty())
            throw StoreError(StoreError::Kind::TextRefusedByStore,
                             {QString::fromLatin1(column.data(), qsizetype(column.size()))})
                .at(m_connection.storeName());
    const StoreError failure = serverFailure(m_connection.serverHandle(), result, m_connection.storeName(), sql);
    if (failure.kind() == StoreError::Kind::ServerLost)
        m_connection.close();
    throw failure;
}

const PreparedStatements::Prepared &PreparedStatements::prepared(const std::string &sql)
{
    conn(); // forgets the statements of an earlier connection before they are looked through
    const auto found = std::find_if(m_prepared.begin(), m_prepared.end(), [&](const Prepared &p) { return p.sql == sql; });
    if (found != m_prepared.end()) {
        std::rotate(found, found + 1, m_prepared.end());
        return m_prepared.back();
    }
    Prepared entry{sql, "zelvik_" + std::to_string(++m_named)};
    const PgResult result = answer([&](pg_conn *c) { return PQsendPrepare(c, entry.name.c_str(), sql.c_str(), 0, nullptr); });
    if (PQresultStatus(result.get()) != PGRES_COMMAND_OK)
        fail(result.get(), sql);
    if (m_prepared.size() >= m_capacity) {
        command(("DEALLOCATE " + m_prepared.front().name).c_str());
        m_prepared.erase(m_prepared.begin());
    }
    m_prepared.push_back(std::move(entry));
    return m_prepared.back();
}

PgResult PreparedStatements::execute(const std::string &sql, int count, const char *const *values, const int *lengths,
                                     const int *formats)
{
    return withReadRetry(m_connection, mayRetryRead(m_connection, conn(), sql),
                         [&] { return attempt(sql, count, values, lengths, formats); });
}

PgResult PreparedStatements::attempt(const std::string &sql, int count, const char *const *values, const int *lengths,
                                     const int *formats)
{
    PgResult result;
    if (m_connection.unnamedStatements()) {
        result = executeUnnamed(*this, sql, count, values, lengths, formats);
    } else {
        const std::string name = prepared(sql).name;
        result = answer(
            [&](pg_conn *c) { return PQsendQueryPrepared(c, name.c_str(), count, values, lengths, formats, 0); });
    }
    const ExecStatusType status = PQresultStatus(result.get());
    if (status == PGRES_EMPTY_QUERY)
        throw StoreError(StoreError::Kind::EmptyStatement).at(m_connection.storeName());
    if (status != PGRES_TUPLES_OK && status != PGRES_COMMAND_OK)
        fail(result.get(), sql);
    return result;
}

PgResult PreparedStatements::execute(const std::string &sql, const QVariantList &params)
{
    std::vector<QByteArray> texts(std::size_t(params.size()));
    std::vector<const char *> values(std::size_t(params.size()));
    std::vector<int> lengths(std::size_t(params.size()));
    std::vector<int> formats(std::size_t(params.size()));
    for (qsizetype i = 0; i < params.size(); ++i) {
        const QVariant &v = params[i];
        const auto at = std::size_t(i);
        if (v.isNull()) {
            values[at] = nullptr;
            continue;
        }
        switch (v.typeId()) {
        case QMetaType::Bool:
            texts[at] = v.toBool() ? "1" : "0";
            break;
        case QMetaType::Double:
        case QMetaType::Float:
            texts[at] = QByteArray::number(v.toDouble(), 'g', 17);
            break;
        case QMetaType::QByteArray:
            texts[at] = v.toByteArray();
            formats[at] = 1; // bytes pass as they are
            break;
        default:
            texts[at] = v.toString().toUtf8();
            break;
        }
        values[at] = texts[at].constData();
        lengths[at] = int(texts[at].size());
    }
    return execute(sql, int(params.size()), values.data(), lengths.data(), formats.data());
}

PgResult PreparedStatements::answer(const Send &send)
{
    try {
        return exchange(conn(), send, {m_connection.server(), m_connection.timeout()});
    } catch (const StoreError &) {
        // The link is gone, or the server is still busy with the request: the connection is no use.
        m_connection.close();
        throw;
    }
}

void PreparedStatements::flush()
{
    try {
        flushQueued(conn(), {m_connection.server(), m_connection.timeout()});
    } catch (const StoreError &) {
        m_connection.close();
        throw;
    }
}

void PreparedStatements::endQuietly(const Send &send) noexcept
{
    if (!m_connection.serverHandle())
        return;
    try {
        answer(send);
    } catch (...) {
        // Given up by answer; the server ends what the connection held.
    }
}

void PreparedStatements::endQuietly(const char *sql) noexcept
{
    endQuietly([sql](pg_conn *c) { return PQsendQuery(c, sql); });
}

PgResult PreparedStatements::command(const char *sql)
{
    PgResult result = answer([sql](pg_conn *c) { return PQsendQuery(c, sql); });
    const ExecStatusType status = PQresultStatus(result.get());
    if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK && status != PGRES_COPY_IN)
        fail(result.get(), sql);
    return result;
}

int PreparedStatements::columnCount(const std::string &sql)
{
    if (!m_connection.unnamedStatements())
        return describedColumns(prepared(sql).name, sql);
    return unnamedColumnCount(*this, sql);
}

pg_conn *PreparedStatements::handle()
{
    return conn();
}

std::uint64_t PreparedStatements::generation() const
{
    return m_connection.generation();
}

int PreparedStatements::describedColumns(const std::string &name, const std::string &sql)
{
    const PgResult result = answer([&](pg_conn *c) { return PQsendDescribePrepared(c, name.c_str()); });
    if (PQresultStatus(result.get()) != PGRES_COMMAND_OK)
        fail(result.get(), sql);
    return PQnfields(result.get());
}

QVariant PreparedStatements::value(const pg_result *result, int row, int column)
{
    if (PQgetisnull(result, row, column))
        return QVariant();
    const char *text = PQgetvalue(result, row, column);
    const int length = PQgetlength(result, row, column);
    switch (PQftype(result, column)) {
    case kInt8:
    case kInt2:
    case kInt4:
    case kOid: {
        qint64 n = 0;
        std::from_chars(text, text + length, n);
        return n;
    }
    case kBool:
        return qint64(text[0] == 't');
    case kFloat4:
    case kFloat8:
    case kNumeric:
        return QByteArray::fromRawData(text, length).toDouble();
    case kBytea: {
        std::size_t size = 0;
        unsigned char *bytes = PQunescapeBytea(reinterpret_cast<const unsigned char *>(text), &size);
        QByteArray data(reinterpret_cast<const char *>(bytes), qsizetype(size));
        PQfreemem(bytes);
        return data;
    }
    default:
        return m_texts.text(text, length);
    }
}

QString PreparedStatements::sourceTable(const pg_result *result)
{
    const int columns = PQnfields(result);
    if (columns == 0)
        return {};
    const Oid table = PQftable(result, 0);
    for (int c = 1; c < columns; ++c)
        if (PQftable(result, c) != table)
            return {};
    if (table == InvalidOid)
        return {};
    const auto known = m_tableNames.constFind(table);
    if (known != m_tableNames.constEnd())
        return *known;
    const QByteArray oid = QByteArray::number(table);
    const char *values[] = {oid.constData()};
    const PgResult name = execute("select relname from pg_class where oid = $1", 1, values);
    const QString found = PQntuples(name.get()) == 1 ? QString::fromUtf8(PQgetvalue(name.get(), 0, 0)) : QString();
    m_tableNames.insert(table, found);
    return found;
}

} // namespace store
