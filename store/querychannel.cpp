#include "querychannel.h"

#include "connection.h"
#include "databaseerror.h"
#include "jetstatement.h"
#include "resultcursor.h"
#include "statement.h"
#include "statementcache.h"

#include <QScopeGuard>

#include <sqlite3.h>

namespace store {

namespace {

JetTranslation translated(const QString &statement)
{
    JetTranslation t;
    translateStatement(statement, t);
    return t;
}

} // namespace

QueryChannel::QueryChannel(Connection &connection, QObject *parent)
    : QObject(parent)
    , m_connection(connection)
    , m_cache(std::make_unique<StatementCache>())
{
}

QueryChannel::~QueryChannel()
{
    m_result.reset();
    m_spare.reset();
}

void QueryChannel::dropResult()
{
    if (!m_result)
        return;
    m_result->close();
    m_spare = std::move(m_result);
}

void QueryChannel::connect()
{
    m_connection.connect();
}

sqlite3 *QueryChannel::openDatabase()
{
    m_connection.connect();
    sqlite3 *db = m_connection.handle();
    // The connection was closed and opened again meanwhile: the old result belongs to the old one.
    if (m_result && m_result->database() != db)
        dropResult();
    return db;
}

void QueryChannel::run(const QString &statement)
{
    dropResult();
    m_statement = statement;
    emit statementSent(statement);
    const auto changed = qScopeGuard([this] { emit resultChanged(); });
    sqlite3 *db = openDatabase();
    std::unique_ptr<ResultCursor> cursor = m_spare ? std::move(m_spare) : std::make_unique<ResultCursor>(*m_cache);
    try {
        cursor->open(db, statement);
    } catch (const DatabaseError &) {
        m_spare = std::move(cursor);
        throw;
    }
    m_result = std::move(cursor);
}

qint64 QueryChannel::exec(const QString &statement)
{
    dropResult();
    m_statement = statement;
    emit statementSent(statement);
    const auto changed = qScopeGuard([this] { emit resultChanged(); });
    sqlite3 *db = openDatabase();
    const JetTranslation t = translated(statement);
    Statement command(*m_cache, db, t.sql);
    command.bind(t);
    // The connection remembers the last insert of any earlier statement; a statement that inserts
    // nothing must not report that one.
    sqlite3_set_last_insert_rowid(db, 0);
    while (command.step()) {
    }
    return sqlite3_last_insert_rowid(db);
}

void QueryChannel::close()
{
    if (!m_result)
        return;
    dropResult();
    emit resultChanged();
}

int QueryChannel::count()
{
    return m_result ? m_result->count() : 0;
}

QString QueryChannel::text(const QString &column)
{
    const QVariant v = value(column);
    return v.isNull() ? QString() : v.toString();
}

qint64 QueryChannel::integer(const QString &column)
{
    const QVariant v = value(column);
    switch (v.typeId()) {
    case QMetaType::UnknownType:
        return 0;
    case QMetaType::LongLong:
        return v.toLongLong();
    case QMetaType::Double:
        return qRound64(v.toDouble());
    default:
        break;
    }
    const QString text = v.toString().trimmed();
    if (text.isEmpty())
        return 0;
    bool ok = false;
    const qint64 number = text.toLongLong(&ok);
    if (!ok)
        throw DatabaseError(QStringLiteral("'%1' is not a valid integer value").arg(text));
    return number;
}

QVariant QueryChannel::value(const QString &column)
{
    const int index = m_result ? m_result->columnIndex(column) : -1;
    if (index < 0)
        throw DatabaseError(QStringLiteral("No column named %1 in the result").arg(column));
    return m_result->fetched() > 0 ? m_result->cell(0, index) : QVariant();
}

bool QueryChannel::hasResult() const
{
    return m_result != nullptr;
}

QStringList QueryChannel::columnNames() const
{
    return m_result ? m_result->columnNames() : QStringList();
}

QString QueryChannel::sourceTable() const
{
    return m_result ? m_result->sourceTable() : QString();
}

int QueryChannel::fetched() const
{
    return m_result ? m_result->fetched() : 0;
}

bool QueryChannel::atEnd() const
{
    return !m_result || m_result->atEnd();
}

int QueryChannel::fetch(int maxRows)
{
    return m_result ? m_result->fetch(maxRows) : 0;
}

const QVariant &QueryChannel::cell(int row, int column) const
{
    static const QVariant none;
    return m_result ? m_result->cell(row, column) : none;
}

void QueryChannel::setCell(int row, int column, const QVariant &value)
{
    if (m_result)
        m_result->setCell(row, column, value);
}

void QueryChannel::insertRow(int row, const std::vector<QVariant> &values)
{
    if (m_result)
        m_result->insertRow(row, values);
}

void QueryChannel::removeRow(int row)
{
    if (m_result)
        m_result->removeRow(row);
}

QueryChannel::WriteResult QueryChannel::write(const QString &sql, const QVariantList &params)
{
    sqlite3 *db = openDatabase();
    if (m_result)
        m_result->suspend();
    const QByteArray text = sql.toUtf8();
    Statement command(*m_cache, db, std::string_view(text.constData(), std::size_t(text.size())));
    command.bind(params);
    while (command.step()) {
    }
    return {sqlite3_changes(db), sqlite3_last_insert_rowid(db)};
}

QVariant QueryChannel::scalar(const QString &sql, const QVariantList &params)
{
    sqlite3 *db = openDatabase();
    const QByteArray text = sql.toUtf8();
    Statement query(*m_cache, db, std::string_view(text.constData(), std::size_t(text.size())));
    query.bind(params);
    return query.step() ? query.value(0) : QVariant();
}

QByteArrayView RowText::operator[](int column) const
{
    const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(m_statement, column));
    return QByteArrayView(text, text ? sqlite3_column_bytes(m_statement, column) : 0);
}

void QueryChannel::scan(const QString &statement, const std::function<void(const QStringList &)> &header,
                        const std::function<void(const RowText &)> &row)
{
    sqlite3 *db = openDatabase();
    const JetTranslation t = translated(statement);
    Statement query(*m_cache, db, t.sql);
    query.bind(t);
    // Described after the first step, as a result is: that step prepares a stale statement again.
    bool hasRow = query.step();
    query.redescribe();
    header(query.columnNames());
    const RowText text(query.handle());
    for (; hasRow; hasRow = query.step())
        row(text);
}

bool QueryChannel::yieldsRows(const QString &statement)
{
    sqlite3 *db = openDatabase();
    const JetTranslation t = translated(statement);
    return Statement(*m_cache, db, t.sql).columnCount() > 0;
}

} // namespace store
