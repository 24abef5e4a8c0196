#include "store/querychannel.h"

#include "store/connection.h"
#include "store/cursor.h"
#include "store/checkedbulkappend.h"
#include "store/storeerror.h"
#include "store/textvalue.h"
#include "store/postgres/pgbackend.h"
#include "store/postgres/replicarouter.h"
#include "store/sqlite/sqlitebackend.h"

#include <QScopeGuard>

#include <utility>

namespace store {

QueryChannel::QueryChannel(Connection &connection, QObject *parent)
    : QObject(parent)
    , m_connection(connection)
    , m_replica(std::make_unique<ReplicaRouter>(
          connection, [this](const QString &replicaName) { emit replicaUnavailable(replicaName); }))
{
}

QueryChannel::~QueryChannel()
{
    m_result.reset();
    m_spare.reset();
    m_replica.reset();
}

void QueryChannel::dropResult()
{
    if (!m_result)
        return;
    m_result->close();
    // The spare's statements are the server's; a replica's cursor goes with its result.
    if (std::exchange(m_resultOnReplica, false))
        m_result.reset();
    else
        m_spare = std::move(m_result);
}

void QueryChannel::connect()
{
    m_connection.connect();
}

Backend &QueryChannel::openBackend()
{
    m_connection.connect();
    if (!m_backend || m_backend->dialect() != m_connection.dialect()) {
        m_result.reset();
        m_resultOnReplica = false;
        m_spare.reset();
        if (m_connection.isServer())
            m_backend = std::make_unique<PgBackend>(m_connection);
        else
            m_backend = std::make_unique<SqliteBackend>(m_connection);
    }
    // The connection was closed and opened again meanwhile: the old result belongs to the old one.
    if (m_result && !m_resultOnReplica && m_result->generation() != m_connection.generation())
        dropResult();
    return *m_backend;
}

const EntryRights &QueryChannel::entryRights() const
{
    return m_connection.entryRights();
}

Dialect QueryChannel::dialect()
{
    return openBackend().dialect();
}

void QueryChannel::run(const QString &statement)
{
    dropResult();
    emit statementSent(statement);
    const auto changed = qScopeGuard([this] { emit resultChanged(); });
    openResult(statement);
}

void QueryChannel::openResult(const QString &statement)
{
    dropResult();
    Backend &backend = openBackend();
    std::unique_ptr<Cursor> cursor = m_spare ? std::move(m_spare) : backend.newCursor();
    try {
        cursor->open(statement);
    } catch (const StoreError &) {
        cursor->close();
        m_spare = std::move(cursor);
        throw;
    }
    m_result = std::move(cursor);
}

qint64 QueryChannel::exec(const QString &statement)
{
    dropResult();
    emit statementSent(statement);
    const auto changed = qScopeGuard([this] { emit resultChanged(); });
    const qint64 id = openBackend().exec(statement);
    noteWrite();
    return id;
}

void QueryChannel::lookup(const QString &statement, const QString &claimKey)
{
    dropResult();
    emit statementSent(statement);
    const auto changed = qScopeGuard([this] { emit resultChanged(); });
    const bool claiming = !claimKey.isEmpty() && !m_writing && entryRights().allows(EntryAction::Add);
    using Answer = ReplicaRouter::Answer;
    const Answer replica = m_replica->routes() ? m_replica->lookup(statement, m_result) : Answer::NotAsked;
    if (replica == Answer::Found) {
        m_resultOnReplica = true;
        return;
    }
    // A miss on the replica is looked up on the server once, under the claim; without a replica the
    // server is asked first without it, since most lookups find something.
    if (replica == Answer::NotAsked) {
        openResult(statement);
        if (!claiming || count() > 0)
            return;
    }
    if (claiming)
        beginWrite(claimKey);
    openResult(statement);
}

void QueryChannel::beginWrite(const QString &key)
{
    Backend &backend = openBackend();
    if (m_result)
        m_result->suspend();
    backend.beginWrite(key);
    m_writing = true;
    m_wroteInWrite = false;
}

void QueryChannel::commitWrite()
{
    if (!m_writing)
        return;
    if (m_result)
        m_result->suspend();
    // Over whatever happens to the commit: a failed one leaves no transaction behind.
    m_writing = false;
    m_backend->commitWrite();
    if (std::exchange(m_wroteInWrite, false))
        noteWrite();
}

void QueryChannel::rollbackWrite() noexcept
{
    if (!std::exchange(m_writing, false))
        return;
    if (m_result)
        m_result->suspend();
    m_backend->rollbackWrite();
}

void QueryChannel::noteWrite()
{
    if (!m_replica->routes())
        return;
    // Inside a transaction the log has not moved yet: the position is read after the commit.
    if (m_writing) {
        m_wroteInWrite = true;
        return;
    }
    m_replica->noteWrite(*m_backend);
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
        throw StoreError(StoreError::Kind::NotAnInteger, {text});
    return number;
}

QVariant QueryChannel::value(const QString &column)
{
    const int index = m_result ? m_result->columnIndex(column) : -1;
    if (index < 0)
        throw StoreError(StoreError::Kind::NoSuchColumn, {column});
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

RowBuffer *QueryChannel::rows()
{
    return m_result.get();
}

QueryChannel::WriteResult QueryChannel::write(const QString &sql, const QVariantList &values,
                                              const QVariantList &criteria)
{
    for (const QVariant &value : values)
        if (cellFault(value) != TextFault::None)
            throw *textRefusal(value.toString());
    Backend &backend = openBackend();
    if (m_result)
        m_result->suspend();
    const WriteResult result = backend.write(sql, criteria.isEmpty() ? values : values + criteria);
    noteWrite();
    return result;
}

QVariant QueryChannel::scalar(const QString &sql, const QVariantList &params)
{
    return openBackend().scalar(sql, params);
}

void QueryChannel::scan(const QString &statement, const ScanHeader &header, const ScanRow &row)
{
    openBackend().scan(statement, header, row);
}

bool QueryChannel::yieldsRows(const QString &statement)
{
    return openBackend().yieldsRows(statement);
}

void QueryChannel::beginSnapshot()
{
    Backend &backend = openBackend();
    if (m_result)
        m_result->suspend();
    backend.beginSnapshot();
}

void QueryChannel::endSnapshot() noexcept
{
    if (!m_backend)
        return;
    // A statement still reading would hold on to the snapshot after the end.
    if (m_result)
        m_result->suspend();
    m_backend->endSnapshot();
}

std::unique_ptr<BulkAppend> QueryChannel::bulkAppend(const QString &table, const QStringList &columns)
{
    Backend &backend = openBackend();
    if (m_result)
        m_result->suspend();
    return std::make_unique<CheckedBulkAppend>(backend.bulkAppend(table, columns), table, columns);
}

std::span<const QVariant> QueryChannel::fetchedCells() const
{
    return m_result ? m_result->fetchedCells() : std::span<const QVariant>();
}

} // namespace store
