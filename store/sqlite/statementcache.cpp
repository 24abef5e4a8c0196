#include "store/sqlite/statementcache.h"

#include "store/storeerror.h"
#include "store/sqlite/sqlitefailure.h"

#include <sqlite3.h>

#include <algorithm>

namespace store {

namespace {

// True when the text holds another statement, not just white space, comments and separators.
bool holdsStatement(sqlite3 *db, const char *text, const char *end)
{
    sqlite3_stmt *next = nullptr;
    const char *tail = nullptr;
    for (;;) {
        if (text == end)
            return false;
        if (sqlite3_prepare_v2(db, text, int(end - text), &next, &tail) != SQLITE_OK)
            return true;
        if (next) {
            sqlite3_finalize(next);
            return true;
        }
        if (tail == text)
            return false;
        text = tail;
    }
}

sqlite3_stmt *prepare(sqlite3 *db, std::string_view sql)
{
    sqlite3_stmt *statement = nullptr;
    const char *tail = nullptr;
    if (sqlite3_prepare_v3(db, sql.data(), int(sql.size()), SQLITE_PREPARE_PERSISTENT, &statement, &tail) != SQLITE_OK)
        throwSqliteFailure(db);
    if (!statement)
        throw StoreError(StoreError::Kind::EmptyStatement);
    if (holdsStatement(db, tail, sql.data() + sql.size())) {
        sqlite3_finalize(statement);
        throw StoreError(StoreError::Kind::TextAfterStatement);
    }
    return statement;
}

int reprepareCount(sqlite3_stmt *statement)
{
    return sqlite3_stmt_status(statement, SQLITE_STMTSTATUS_REPREPARE, 0);
}

void describe(StatementCache::Entry &entry)
{
    sqlite3_stmt *s = entry.statement.get();
    const int columns = sqlite3_column_count(s);
    entry.columnNames.clear();
    entry.sourceTable.clear();
    entry.columnNames.reserve(columns);
    for (int c = 0; c < columns; ++c) {
        entry.columnNames.append(QString::fromUtf8(sqlite3_column_name(s, c)));
        const QString table = QString::fromUtf8(sqlite3_column_table_name(s, c));
        if (c == 0)
            entry.sourceTable = table;
        else if (table != entry.sourceTable)
            entry.sourceTable.clear();
    }
    entry.parameterCount = sqlite3_bind_parameter_count(s);
    entry.namedParameter.clear();
    for (int i = 1; i <= entry.parameterCount && entry.namedParameter.isEmpty(); ++i)
        if (const char *name = sqlite3_bind_parameter_name(s, i))
            entry.namedParameter = QString::fromUtf8(name);
    entry.describedAt = reprepareCount(s);
}

} // namespace

void StatementCache::redescribe(Entry &entry)
{
    if (entry.describedAt != reprepareCount(entry.statement.get()))
        describe(entry);
}

void StatementCache::Finalizer::operator()(sqlite3_stmt *statement) const
{
    sqlite3_finalize(statement);
}

StatementCache::StatementCache(std::size_t capacity)
    : m_capacity(capacity)
{
    m_entries.reserve(capacity + 1);
}

StatementCache::~StatementCache()
{
    clear();
}

StatementCache::Entry StatementCache::take(sqlite3 *db, std::string_view sql)
{
    if (db != m_db) {
        clear();
        m_db = db;
    }
    const auto found = std::find_if(m_entries.rbegin(), m_entries.rend(),
                                    [&](const Entry &e) { return e.sql == sql; });
    if (found != m_entries.rend()) {
        Entry entry = std::move(*found);
        m_entries.erase(std::next(found).base());
        redescribe(entry);
        return entry;
    }
    Entry entry;
    entry.sql = std::string(sql);
    entry.statement = StatementPtr(prepare(db, sql));
    describe(entry);
    return entry;
}

void StatementCache::give(Entry entry)
{
    if (!entry.statement)
        return;
    sqlite3_reset(entry.statement.get());
    sqlite3_clear_bindings(entry.statement.get());
    const bool duplicate = std::any_of(m_entries.begin(), m_entries.end(),
                                       [&](const Entry &e) { return e.sql == entry.sql; });
    if (sqlite3_db_handle(entry.statement.get()) != m_db || duplicate || m_capacity == 0)
        return; // finalised as the entry goes
    if (m_entries.size() >= m_capacity)
        m_entries.erase(m_entries.begin());
    m_entries.push_back(std::move(entry));
}

void StatementCache::clear()
{
    m_entries.clear();
}

} // namespace store
