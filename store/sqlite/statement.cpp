#include "store/sqlite/statement.h"

#include "store/storeerror.h"
#include "store/jetdialect.h"
#include "store/sqlite/sqlitebinding.h"
#include "store/sqlite/sqlitefailure.h"

#include <sqlite3.h>

namespace store {

Statement::Statement(StatementCache &cache, sqlite3 *db, std::string_view sql)
    : m_cache(cache)
    , m_entry(cache.take(db, sql))
{
}

Statement::~Statement()
{
    m_cache.give(std::move(m_entry));
}

void Statement::checkParameterCount(int given) const
{
    // Only anonymous ? can line up with the values; a named one ($A, :x, ?3) would silently stay null.
    if (!m_entry.namedParameter.isEmpty())
        throw StoreError(StoreError::Kind::UnboundParameter, {m_entry.namedParameter});
    if (m_entry.parameterCount != given)
        throw StoreError(StoreError::Kind::ParameterCountMismatch,
                         {QString::number(m_entry.parameterCount), QString::number(given)});
}

void Statement::bind(const JetTranslation &literals)
{
    checkParameterCount(int(literals.literalCount()));
    for (std::size_t i = 0; i < literals.literalCount(); ++i) {
        const std::string_view text = literals.literal(i);
        if (sqlite3_bind_text(handle(), int(i + 1), text.data(), int(text.size()), SQLITE_STATIC) != SQLITE_OK)
            throwSqliteFailure(sqlite3_db_handle(handle()));
    }
}

void Statement::bind(const QVariantList &values)
{
    bind(std::span<const QVariant>(values.constData(), std::size_t(values.size())));
}

void Statement::bind(std::span<const QVariant> values)
{
    checkParameterCount(int(values.size()));
    sqlite3_stmt *s = handle();
    for (std::size_t i = 0; i < values.size(); ++i)
        if (bindValue(s, int(i + 1), values[i]) != SQLITE_OK)
            throwSqliteFailure(sqlite3_db_handle(s));
}

bool Statement::step()
{
    const int rc = sqlite3_step(handle());
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    // The error stays on the statement until reset; read it before resetting.
    const StoreError failure = sqliteFailure(sqlite3_db_handle(handle()));
    sqlite3_reset(handle());
    throw failure;
}

void Statement::reset()
{
    sqlite3_reset(handle());
}

int Statement::columnCount() const
{
    return sqlite3_column_count(handle());
}

// Hands the column's value to take as a qint64, double, QString, QByteArray or QVariant (null).
// Read through the column's sqlite3_value, one call for the value rather than one per question
// about it; SQLite calls that unprotected, which matters only to a connection shared between
// threads, and ours are opened for one thread.
template <typename Take>
void Statement::readValue(int column, Take &&take) const
{
    sqlite3_value *v = sqlite3_column_value(handle(), column);
    switch (sqlite3_value_type(v)) {
    case SQLITE_INTEGER:
        take(qint64(sqlite3_value_int64(v)));
        break;
    case SQLITE_FLOAT:
        take(sqlite3_value_double(v));
        break;
    case SQLITE_TEXT: {
        const auto *text = reinterpret_cast<const char *>(sqlite3_value_text(v));
        const int size = sqlite3_value_bytes(v);
        if (text)
            take(m_cache.texts().text(text, size));
        else
            take(QString()); // no text: out of memory
        break;
    }
    case SQLITE_BLOB: {
        const auto *bytes = static_cast<const char *>(sqlite3_value_blob(v));
        take(QByteArray(bytes, sqlite3_value_bytes(v)));
        break;
    }
    default:
        take(QVariant());
        break;
    }
}

QVariant Statement::value(int column) const
{
    QVariant v;
    readValue(column, [&v](auto &&read) { v = QVariant(std::forward<decltype(read)>(read)); });
    return v;
}

void Statement::appendRow(std::vector<QVariant> &cells) const
{
    // As many as described, even should SQLite re-prepare the statement with other columns meanwhile.
    const int columns = int(m_entry.columnNames.size());
    for (int c = 0; c < columns; ++c)
        readValue(c, [&cells](auto &&read) { cells.emplace_back(std::forward<decltype(read)>(read)); });
}

} // namespace store
