#include "store/sqlite/sqlitecursor.h"

#include "store/connection.h"
#include "store/storeerror.h"
#include "store/statementtranslation.h"

#include <algorithm>
#include <climits>

namespace store {

namespace {

// A short result is read whole rather than counted: counting would run the search a second time.
// No more than the grid's first screen, so that a large result still costs a single count. The
// rows read so are held back until fetched.
constexpr int kReadAheadForCount = 64;

} // namespace

SqliteCursor::SqliteCursor(StatementCache &cache, Connection &connection)
    : m_cache(cache), m_connection(connection)
{
}

void SqliteCursor::open(const QString &statement)
{
    close();
    m_db = m_connection.handle();
    m_generation = m_connection.generation();
    sqlite3 *db = m_db;
    try {
        // A result opened again (the grid refreshed, a lookup repeated) keeps its translation.
        if (m_translatedFrom.isNull() || statement != m_translatedFrom) {
            m_translatedFrom.clear();
            translateStatement(statement, m_translation);
            m_translatedFrom = statement;
        }
        m_statement.emplace(m_cache, db, m_translation.sql);
        m_statement->bind(m_translation);
        // Described after the first step: a statement cached before a change of its tables is
        // prepared again by that step, maybe with other columns.
        const bool hasRow = m_statement->step();
        m_statement->redescribe();
        m_columnNames = m_statement->columnNames();
        m_sourceTable = m_statement->sourceTable();
        m_columnCount = int(m_columnNames.size());
        if (hasRow)
            takeRow();
        else
            finish();
        fetch(1);
    } catch (const StoreError &) {
        close();
        throw;
    }
}

void SqliteCursor::close()
{
    finish();
    m_db = nullptr;
    clearRows();
    m_stepped = 0;
}

int SqliteCursor::fetch(int maxRows)
{
    if (maxRows <= 0)
        return 0;
    try {
        readAhead(maxRows - m_aheadRows);
    } catch (const StoreError &) {
        handOut(maxRows); // the rows read before the failure are good
        throw;
    }
    return handOut(maxRows);
}

void SqliteCursor::readAhead(int maxRows)
{
    if (!m_statement || maxRows <= 0)
        return;
    const std::size_t wanted = m_cells.size() + std::size_t(std::min(maxRows, 256)) * std::size_t(m_columnCount);
    if (m_cells.capacity() < wanted)
        m_cells.reserve(std::max(wanted, 2 * m_cells.capacity())); // doubling keeps many small fetches linear
    try {
        if (m_suspended) {
            m_suspended = false;
            for (qint64 skipped = 0; skipped < m_stepped; ++skipped)
                if (!m_statement->step()) {
                    finish();
                    return;
                }
        }
        for (int read = 0; read < maxRows; ++read) {
            if (!m_statement->step()) {
                finish();
                break;
            }
            takeRow();
        }
    } catch (const StoreError &) {
        // The failed step reset the statement: the next fetch starts over and skips what was read.
        m_suspended = true;
        throw;
    }
}

std::string SqliteCursor::countingSql() const
{
    const std::string_view query = std::string_view(m_translation.sql).substr(0, m_translation.statementEnd);
    return "select count(*) from (" + std::string(query) + ")";
}

void SqliteCursor::takeRow()
{
    ++m_stepped;
    m_statement->appendRow(m_cells);
    ++m_aheadRows;
}

int SqliteCursor::count()
{
    if (m_statement && !m_total) {
        // Not every statement that yields rows can be a subquery (a pragma, for one): those are
        // counted by reading them all. Whether it can is learnt once and kept with the statement.
        const auto readAll = [this] {
            fetch(INT_MAX);
            return m_rowCount;
        };
        if (!m_statement->countable()) {
            try {
                Statement probe(m_cache, m_db, countingSql());
                m_statement->setCountable(true);
            } catch (const StoreError &) {
                m_statement->setCountable(false);
            }
        }
        if (!*m_statement->countable())
            return readAll();
        if (m_rowCount + m_aheadRows < kReadAheadForCount)
            readAhead(kReadAheadForCount - m_rowCount - m_aheadRows);
        if (m_statement) {
            // Counted while the statement still holds its read, so both see the same rows.
            try {
                Statement counter(m_cache, m_db, countingSql());
                counter.bind(m_translation);
                m_total = counter.step() ? counter.value(0).toLongLong() : 0;
            } catch (const StoreError &) {
                return readAll();
            }
        }
    }
    if (!m_statement)
        return m_rowCount + m_aheadRows;
    return int(m_rowCount + m_aheadRows + std::max<qint64>(0, *m_total - m_stepped));
}

void SqliteCursor::suspend()
{
    if (m_statement && !m_suspended) {
        m_statement->reset();
        m_suspended = true;
        m_total.reset(); // the restarted read may see other rows
    }
}

void SqliteCursor::finish()
{
    m_statement.reset();
    m_suspended = false;
    m_total.reset();
}

} // namespace store
