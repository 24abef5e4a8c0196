#include "store/postgres/pgbulkappend.h"

#include "store/connection.h"
#include "store/postgres/preparedstatements.h"

#include <libpq-fe.h>

namespace store {

namespace {

// COPY's text format: a backslash, tab, newline and carriage return escaped, NULL as \N.
void appendCopyField(QByteArray &line, const QVariant &value)
{
    if (value.isNull()) {
        line.append("\\N");
        return;
    }
    const QByteArray text = value.typeId() == QMetaType::LongLong ? QByteArray::number(value.toLongLong())
                                                                  : value.toString().toUtf8();
    for (const char c : text) {
        switch (c) {
        case '\\':
            line.append("\\\\");
            break;
        case '\t':
            line.append("\\t");
            break;
        case '\n':
            line.append("\\n");
            break;
        case '\r':
            line.append("\\r");
            break;
        default:
            line.append(c);
        }
    }
}

} // namespace

PgBulkAppend::PgBulkAppend(PreparedStatements &statements, Connection &connection, const QString &table,
                           const QStringList &columns)
    : m_statements(statements), m_connection(connection), m_generation(connection.generation()),
      m_columnCount(std::size_t(columns.size()))
{
    const QByteArray copy = QStringLiteral("COPY %1(%2) FROM STDIN").arg(table, columns.join(u',')).toUtf8();
    const PgResult started = m_statements.command(copy.constData());
    if (PQresultStatus(started.get()) != PGRES_COPY_IN)
        m_statements.fail(started.get());
    m_open = true;
}

PgBulkAppend::~PgBulkAppend()
{
    // The connection may have broken (and been closed) meanwhile; then there is no COPY left to end.
    if (m_open && m_connection.generation() == m_generation)
        m_statements.endQuietly([](pg_conn *c) { return PQputCopyEnd(c, "abandoned"); });
}

void PgBulkAppend::add(std::span<const QVariant> cells)
{
    if (m_columnCount == 0 || cells.empty())
        return;
    m_lines.resize(0);
    for (std::size_t at = 0; at < cells.size(); at += m_columnCount) {
        for (std::size_t c = 0; c < m_columnCount; ++c) {
            if (c > 0)
                m_lines.append('\t');
            appendCopyField(m_lines, cells[at + c]);
        }
        m_lines.append('\n');
    }
    if (PQputCopyData(m_connection.serverHandle(), m_lines.constData(), int(m_lines.size())) != 1)
        m_statements.fail(nullptr);
    // Sent before the next batch is made, so a batch at a time is held however fast the rows come.
    m_statements.flush();
}

void PgBulkAppend::finish()
{
    m_open = false;
    const PgResult ended = m_statements.answer([](pg_conn *c) { return PQputCopyEnd(c, nullptr); });
    if (PQresultStatus(ended.get()) != PGRES_COMMAND_OK)
        m_statements.fail(ended.get());
}

} // namespace store
