#include "store/postgres/pgcursor.h"

#include "store/connection.h"
#include "store/statementtranslation.h"

#include <libpq-fe.h>

#include <algorithm>

namespace store {

PgCursor::PgCursor(PreparedStatements &statements, Connection &connection)
    : m_statements(statements), m_connection(connection)
{
}

void PgCursor::open(const QString &statement)
{
    close();
    translateStatement(statement, m_translation, Dialect::Postgres);
    const Literals literals(m_translation);
    m_result = m_statements.execute(m_translation.sql, literals.count(), literals.values.data());
    // Taken after the statement ran: a read may have run again on a new connection.
    m_generation = m_connection.generation();
    const pg_result *r = m_result.get();
    m_columnCount = PQnfields(r);
    for (int c = 0; c < m_columnCount; ++c)
        m_columnNames.append(QString::fromUtf8(PQfname(r, c)));
    m_sourceTable = m_statements.sourceTable(r);
    m_total = PQntuples(r);
    fetch(1);
}

void PgCursor::close()
{
    m_result.reset();
    m_total = 0;
    m_read = 0;
    clearRows();
}

int PgCursor::fetch(int maxRows)
{
    if (maxRows <= 0 || !m_result)
        return 0;
    const int rows = std::min(maxRows, m_total - m_read);
    m_cells.reserve(m_cells.size() + std::size_t(rows) * std::size_t(m_columnCount));
    for (int r = 0; r < rows; ++r, ++m_read)
        for (int c = 0; c < m_columnCount; ++c)
            m_cells.push_back(m_statements.value(m_result.get(), m_read, c));
    m_rowCount += rows;
    if (m_read == m_total)
        m_result.reset();
    return rows;
}

} // namespace store
