#include "bench/rawsqlite.h"

#include "store/sqlite/collation.h"

#include <QString>

#include <stdexcept>

namespace bench {

namespace {

// SQLite's message, after what it was doing.
[[noreturn]] void throwSqlite(sqlite3 *db, const std::string &context = {})
{
    const std::string message = db ? sqlite3_errmsg(db) : "out of memory";
    throw std::runtime_error(context.empty() ? message : context + ": " + message);
}

} // namespace

RawDatabase::RawDatabase(const std::string &path)
{
    sqlite3 *db = nullptr;
    const int rc = sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    m_handle.reset(db);
    if (rc != SQLITE_OK)
        throwSqlite(db, path);
    m_db = db;
    store::registerCollation(m_db);
}

void RawDatabase::useProgramSettings()
{
    exec("PRAGMA journal_mode=WAL");
    exec("PRAGMA synchronous=FULL");
}

void RawDatabase::exec(const char *sql)
{
    if (sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr) != SQLITE_OK)
        throwSqlite(m_db, sql);
}

std::int64_t RawDatabase::integer(const char *sql)
{
    RawStatement statement(m_db, sql);
    return statement.step() ? sqlite3_column_int64(statement.handle(), 0) : 0;
}

RawStatement::RawStatement(sqlite3 *db, std::string_view sql)
{
    if (sqlite3_prepare_v3(db, sql.data(), int(sql.size()), SQLITE_PREPARE_PERSISTENT, &m_statement, nullptr)
        != SQLITE_OK)
        throwSqlite(db, std::string(sql));
}

RawStatement::~RawStatement()
{
    sqlite3_finalize(m_statement);
}

void RawStatement::bindText(int parameter, std::string_view text)
{
    if (sqlite3_bind_text(m_statement, parameter, text.data(), int(text.size()), SQLITE_STATIC) != SQLITE_OK)
        throwSqlite(sqlite3_db_handle(m_statement));
}

void RawStatement::bindInteger(int parameter, std::int64_t value)
{
    if (sqlite3_bind_int64(m_statement, parameter, value) != SQLITE_OK)
        throwSqlite(sqlite3_db_handle(m_statement));
}

bool RawStatement::step()
{
    const int rc = sqlite3_step(m_statement);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    sqlite3 *db = sqlite3_db_handle(m_statement);
    const std::runtime_error failure(sqlite3_errmsg(db));
    sqlite3_reset(m_statement);
    throw failure;
}

void RawStatement::reset()
{
    sqlite3_reset(m_statement);
}

} // namespace bench
