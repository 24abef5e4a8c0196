#include "store/postgres/pgbackend.h"

#include "store/connection.h"
#include "store/postgres/pgbulkappend.h"
#include "store/postgres/pgcursor.h"
#include "store/statementtranslation.h"
#include "store/storeerror.h"
#include "store/schema.h"

#include <QScopeGuard>

#include <libpq-fe.h>

#include <charconv>

namespace store {

namespace {

// Rows a scan holds at a time.
constexpr int kScanBatchRows = 10000;

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
    // Read through a cursor a batch at a time, so memory holds one batch however large the table: a
    // plain query's result arrives whole. A cursor lives in a transaction (which a pooler in
    // transaction mode keeps on one server connection); without the caller's, the scan has its own,
    // at one snapshot like the caller's would be.
    const bool ownTransaction = PQtransactionStatus(m_connection.serverHandle()) == PQTRANS_IDLE;
    if (ownTransaction)
        beginSnapshot();
    const std::uint64_t generation = m_connection.generation();
    const auto end = qScopeGuard([&] {
        if (m_connection.generation() == generation)
            m_statements.endQuietly(ownTransaction ? "COMMIT" : "CLOSE zelvik_scan");
    });
    try {
        m_statements.execute("DECLARE zelvik_scan NO SCROLL CURSOR FOR " + t.sql.substr(0, t.statementEnd),
                             literals.count(), literals.values.data());
    } catch (const StoreError &e) {
        // The cursor only reads: a login refused it may not read, as a select would have been told.
        if (e.kind() != StoreError::Kind::NotPermitted)
            throw;
        throw StoreError(StoreError::Kind::NotPermitted, {QStringLiteral("select"), e.details().value(1)});
    }
    const std::string fetch = "FETCH FORWARD " + std::to_string(kScanBatchRows) + " FROM zelvik_scan";
    const auto cell = [](const void *source, int rowIndex, int column) {
        auto *res = static_cast<const pg_result *>(source);
        return QByteArrayView(PQgetvalue(res, rowIndex, column), PQgetlength(res, rowIndex, column));
    };
    for (bool first = true;; first = false) {
        const PgResult batch = m_statements.execute(fetch, 0, nullptr);
        const pg_result *r = batch.get();
        if (first) {
            QStringList names;
            for (int c = 0; c < PQnfields(r); ++c)
                names.append(QString::fromUtf8(PQfname(r, c)));
            header(names);
        }
        const int rows = PQntuples(r);
        RowText text(cell, r);
        for (int i = 0; i < rows; ++i) {
            text.setRow(i);
            row(text);
        }
        if (rows < kScanBatchRows)
            return;
    }
}

void PgBackend::beginSnapshot()
{
    m_statements.command("BEGIN ISOLATION LEVEL REPEATABLE READ READ ONLY");
}

void PgBackend::endSnapshot() noexcept
{
    // Gone with a broken connection, which was closed; a read-only transaction has nothing to keep.
    m_statements.endQuietly("COMMIT");
}

void PgBackend::beginWrite(const QString &key)
{
    m_statements.command("BEGIN");
    m_writeGeneration = m_connection.generation();
    // Held until the transaction ends, on whichever server connection a pooler gives it. Keyed by the
    // text as the directory compares it (the collation's hash), so searches that would find the same
    // entries wait for each other; the first number keeps these keys apart from the program's others.
    static const std::string lock
        = std::string("select pg_advisory_xact_lock(2, hashtext(?::text collate ") + kCollation + "))";
    m_statements.execute(nativeStatement(lock, Dialect::Postgres), {key});
}

void PgBackend::commitWrite()
{
    m_statements.command("COMMIT");
}

void PgBackend::rollbackWrite() noexcept
{
    // A connection given up meanwhile took its transaction with it.
    if (m_connection.generation() == m_writeGeneration)
        m_statements.endQuietly("ROLLBACK");
}

std::unique_ptr<BulkAppend> PgBackend::bulkAppend(const QString &table, const QStringList &columns)
{
    return std::make_unique<PgBulkAppend>(m_statements, m_connection, table, columns);
}

} // namespace store
