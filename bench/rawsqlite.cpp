#include "bench/rawsqlite.h"

#include "store/sqlite/collation.h"
#include "store/storeerror.h"
#include "store/sqlite/sqlitefailure.h"

namespace bench {

RawDatabase::RawDatabase(const std::string &path)
{
    sqlite3 *db = nullptr;
    const int rc = sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    m_handle.reset(db);
    if (rc != SQLITE_OK)
        throw store::StoreError(QString::fromStdString(path) + QStringLiteral(": ") + QString::fromUtf8(sqlite3_errmsg(db)));
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
        store::throwSqliteFailure(m_db, QString::fromUtf8(sql));
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
        store::throwSqliteFailure(db, QString::fromUtf8(sql.data(), qsizetype(sql.size())));
}

RawStatement::~RawStatement()
{
    sqlite3_finalize(m_statement);
}

void RawStatement::bindText(int parameter, std::string_view text)
{
    if (sqlite3_bind_text(m_statement, parameter, text.data(), int(text.size()), SQLITE_STATIC) != SQLITE_OK)
        store::throwSqliteFailure(sqlite3_db_handle(m_statement));
}

void RawStatement::bindInteger(int parameter, std::int64_t value)
{
    if (sqlite3_bind_int64(m_statement, parameter, value) != SQLITE_OK)
        store::throwSqliteFailure(sqlite3_db_handle(m_statement));
}

bool RawStatement::step()
{
    const int rc = sqlite3_step(m_statement);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    sqlite3 *db = sqlite3_db_handle(m_statement);
    const QString message = QString::fromUtf8(sqlite3_errmsg(db));
    sqlite3_reset(m_statement);
    throw store::StoreError(message);
}

void RawStatement::reset()
{
    sqlite3_reset(m_statement);
}

} // namespace bench
