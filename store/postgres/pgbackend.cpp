#include "store/postgres/pgbackend.h"

#include "store/connection.h"
#include "store/cursor.h"
#include "store/statementtranslation.h"
#include "store/schema.h"

#include <libpq-fe.h>

#include <algorithm>
#include <charconv>

namespace store {

namespace {

// An insert into a table with ids asks for the new row's id back, so nothing read afterwards (and
// nothing another connection inserts meanwhile) can be taken for it.
bool askForId(std::string &sql, std::size_t statementEnd)
{
    if (!tableHasId(insertTarget(sql)))
        return false;
    sql.insert(statementEnd, " returning id");
    return true;
}

qint64 returnedId(const pg_result *result)
{
    // The last row's, when the insert added several.
    const int last = PQntuples(result) - 1;
    if (PQresultStatus(result) != PGRES_TUPLES_OK || last < 0 || PQnfields(result) < 1)
        return 0;
    const char *text = PQgetvalue(result, last, 0);
    qint64 id = 0;
    std::from_chars(text, text + PQgetlength(result, last, 0), id);
    return id;
}

int changedRows(const pg_result *result)
{
    const char *text = PQcmdTuples(const_cast<pg_result *>(result));
    int rows = 0;
    std::from_chars(text, text + qstrlen(text), rows);
    return rows;
}

// Parameter values of a translated statement: pointers into its literal texts.
struct Literals {
    explicit Literals(const JetTranslation &t)
    {
        // libpq reads text parameters up to a NUL: each literal is copied with one after it.
        texts.reserve(t.literalCount());
        for (std::size_t i = 0; i < t.literalCount(); ++i)
            texts.emplace_back(t.literal(i));
        for (const std::string &text : texts)
            values.push_back(text.c_str());
    }
    int count() const { return int(values.size()); }
    std::vector<std::string> texts;
    std::vector<const char *> values;
};

class PgCursor : public Cursor {
public:
    PgCursor(PreparedStatements &statements, Connection &connection)
        : m_statements(statements), m_connection(connection)
    {
    }

    void open(const QString &statement) override
    {
        close();
        m_generation = m_connection.generation();
        translateStatement(statement, m_translation, Dialect::Postgres);
        const Literals literals(m_translation);
        m_result = m_statements.execute(m_translation.sql, literals.count(), literals.values.data());
        const pg_result *r = m_result.get();
        m_columnCount = PQnfields(r);
        for (int c = 0; c < m_columnCount; ++c)
            m_columnNames.append(QString::fromUtf8(PQfname(r, c)));
        m_sourceTable = m_statements.sourceTable(r);
        m_total = PQntuples(r);
        fetch(1);
    }

    void close() override
    {
        m_result.reset();
        m_total = 0;
        m_read = 0;
        clearRows();
    }

    int fetch(int maxRows) override
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

    int count() override { return m_rowCount + (m_total - m_read); }
    bool atEnd() const override { return m_read == m_total; }

private:
    PreparedStatements &m_statements;
    Connection &m_connection;
    JetTranslation m_translation;
    PgResult m_result; // null once every row is read
    int m_total = 0;
    int m_read = 0;
};

} // namespace

PgBackend::PgBackend(Connection &connection)
    : m_connection(connection), m_statements(connection)
{
}

std::unique_ptr<Cursor> PgBackend::newCursor()
{
    return std::make_unique<PgCursor>(m_statements, m_connection);
}

qint64 PgBackend::exec(const QString &statement)
{
    JetTranslation t;
    translateStatement(statement, t, Dialect::Postgres);
    const bool inserts = askForId(t.sql, t.statementEnd);
    const Literals literals(t);
    const PgResult result = m_statements.execute(t.sql, literals.count(), literals.values.data());
    return inserts ? returnedId(result.get()) : 0;
}

WriteResult PgBackend::write(const QString &sql, const QVariantList &params)
{
    std::string native = nativeStatement(sql.toStdString(), Dialect::Postgres);
    const bool inserts = askForId(native, native.size());
    const PgResult result = m_statements.execute(native, params);
    return {changedRows(result.get()), inserts ? returnedId(result.get()) : 0};
}

QVariant PgBackend::scalar(const QString &sql, const QVariantList &params)
{
    const PgResult result = m_statements.execute(nativeStatement(sql.toStdString(), Dialect::Postgres), params);
    if (PQresultStatus(result.get()) != PGRES_TUPLES_OK || PQntuples(result.get()) < 1)
        return {};
    return m_statements.value(result.get(), 0, 0);
}

bool PgBackend::yieldsRows(const QString &statement)
{
    JetTranslation t;
    translateStatement(statement, t, Dialect::Postgres);
    return m_statements.columnCount(t.sql) > 0;
}

void PgBackend::scan(const QString &statement, const ScanHeader &header, const ScanRow &row)
{
    JetTranslation t;
    translateStatement(statement, t, Dialect::Postgres);
    const Literals literals(t);
    const PgResult result = m_statements.execute(t.sql, literals.count(), literals.values.data());
    const pg_result *r = result.get();
    QStringList names;
    for (int c = 0; c < PQnfields(r); ++c)
        names.append(QString::fromUtf8(PQfname(r, c)));
    header(names);
    const auto cell = [](const void *source, int rowIndex, int column) {
        auto *res = static_cast<const pg_result *>(source);
        return QByteArrayView(PQgetvalue(res, rowIndex, column), PQgetlength(res, rowIndex, column));
    };
    RowText text(cell, r);
    for (int i = 0, rows = PQntuples(r); i < rows; ++i) {
        text.setRow(i);
        row(text);
    }
}

} // namespace store
