#pragma once

#include "store/backend.h"
#include "store/entryrights.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <memory>
#include <span>
#include <vector>

namespace store {

class Connection;
class Cursor;
class RowBuffer;
class ReplicaRouter;

// The single channel every statement goes through. Statements are written in
// the Jet dialect ("..." literals, select top N, count(*) as m, order by id Desc); the channel
// translates them, binds every text literal as a parameter, and keeps the last opened result,
// which the grid shows. Every failure throws StoreError. Every text it writes, whichever way
// (a statement's literal, a value of write, a cell of bulkAppend), is checked first: none holds a
// NUL or is longer than kTextValueLimit characters, on either store (see textvalue.h).
class QueryChannel : public QObject {
    Q_OBJECT
public:
    explicit QueryChannel(Connection &connection, QObject *parent = nullptr);
    ~QueryChannel() override;

    void connect();
    // Closes the current result, then opens the statement's; current row = first row.
    void run(const QString &statement);
    // Closes the current result, then executes the statement as a command; no result until the
    // next run. Committed durably when it returns. Returns the id of the row an insert added (the
    // last one when it added several), as the database gave it to this very insert, 0 when the
    // statement added none: what the caller stored, whoever else writes to the directory meanwhile.
    qint64 exec(const QString &statement);
    // Closes the current result without opening another (the grid empties).
    void close();
    // A lookup that finds entries: run, but with a replica set it reads there first. Rows found there
    // are the result; a miss is asked again of the server, where entries are invented, since an entry
    // invented a moment ago may not have reached the replica yet. The replica is left alone until it
    // has replayed this program's last write, and for a while after it fails or takes longer than its
    // timeout to answer: it never fails a lookup.
    // With a claim key, a lookup that finds nothing leaves the channel in a write transaction that
    // holds the key (beginWrite), having looked again on the server under it: what it finds then is
    // the result, and what the caller invents in that transaction no other search holding the key
    // invents as well. A login that may not add entries claims nothing. statementSent is emitted
    // once, however often the statement runs.
    void lookup(const QString &statement, const QString &claimKey = {});
    // The write transaction a lookup claimed (see Backend::beginWrite): whether one is open, its
    // commit (the position the server's log reached is noted afterwards, for the replica), and its
    // rollback, which never throws. Both do nothing without one.
    bool writing() const { return m_writing; }
    void commitWrite();
    void rollbackWrite() noexcept;
    // Whether the open result was read on the replica.
    bool resultOnReplica() const { return m_resultOnReplica; }

    // Rows of the open result; 0 without one.
    int count();
    // Column of the current (first) row: text is empty for NULL or an empty result.
    QString text(const QString &column);
    qint64 integer(const QString &column);
    // Null QVariant for NULL or an empty result, so NULL never compares equal to 0.
    QVariant value(const QString &column);

    // What the grid reads. Rows arrive lazily: fetched() grows as fetch() is called.
    bool hasResult() const;
    QStringList columnNames() const;          // result column names, as the engine reports them
    QString sourceTable() const;              // the one table all columns come from, else empty
    int fetched() const;                      // rows read so far
    bool atEnd() const;                       // every row has been read
    int fetch(int maxRows);                   // reads up to maxRows more; returns how many arrived
    const QVariant &cell(int row, int column) const; // row < fetched()
    // The open result's rows, for whoever changes them in place (the grid's edits, GridRows); null
    // without a result.
    RowBuffer *rows();

    // A native statement in the engine's SQL with anonymous ? parameters, for the grid's row edits;
    // leaves the open result (and the grid) as it is. Returns the rows changed and the inserted id.
    // The values are what it writes, the criteria (their parameters after the values') what it only
    // compares with: a text among the values that the store may not hold (textFault) is refused with
    // StoreError before anything runs, while a criterion may still be a longer text stored earlier.
    using WriteResult = store::WriteResult;
    WriteResult write(const QString &sql, const QVariantList &values, const QVariantList &criteria = {});
    // A native query with ? parameters: the first column of its first row, null without a
    // row. Leaves the open result (and the grid) as it is.
    QVariant scalar(const QString &sql, const QVariantList &params);

    // A query in the Jet dialect read straight through, for copying whole tables out: the column
    // names, then every row as text, nothing kept. Leaves the open result (and the grid) as it is.
    void scan(const QString &statement, const ScanHeader &header, const ScanRow &row);

    // Whether the statement, once run, yields rows (has result columns); prepares it without running
    // it and leaves the open result as it is.
    bool yieldsRows(const QString &statement);

    // Every read from beginSnapshot to endSnapshot sees the store as it was at one moment, whatever
    // other connections commit meanwhile: one read-only transaction (see ReadSnapshot). Not nested,
    // and nothing is written meanwhile. A pending read of the open result is ended first, and again
    // at the end. beginSnapshot throws StoreError; endSnapshot never throws.
    void beginSnapshot();
    void endSnapshot() noexcept;
    // Rows appended to a table in bulk, a batch at a time, in the transaction the connection is in
    // (see BulkAppend); it must go before the channel does. A text cell the store may not hold
    // (textFault) stops it with CellNotWritten, naming the table, the row's id and the column.
    std::unique_ptr<BulkAppend> bulkAppend(const QString &table, const QStringList &columns);
    // The cells of the rows fetched so far, row after row, as bulkAppend takes them; empty without a
    // result.
    std::span<const QVariant> fetchedCells() const;

    // The engine's SQL, for native statements; connects first.
    Dialect dialect();
    // What the login may do to the entries, as the connection learnt when it opened (all before it has).
    const EntryRights &entryRights() const;

signals:
    // Emitted after run, exec and close change which result is open.
    void resultChanged();
    // Emitted with each statement text as given, before it runs; tests record the sequence.
    void statementSent(const QString &statement);
    // The replica could not be read, so lookups go to the server for now; once per channel.
    void replicaUnavailable(const QString &replicaName);

private:
    // Connects, and chooses the engine the connection leads to.
    Backend &openBackend();
    // Closes the open result, keeping its cursor for the next run.
    void dropResult();
    // run without the signals.
    void openResult(const QString &statement);
    void beginWrite(const QString &key);
    // Tells the replica's router that the server's log moved on.
    void noteWrite();

    Connection &m_connection;
    std::unique_ptr<Backend> m_backend; // outlives the cursors, which use its statements
    std::unique_ptr<Cursor> m_result;
    std::unique_ptr<Cursor> m_spare; // closed, with the buffers of an earlier result
    std::unique_ptr<ReplicaRouter> m_replica; // outlives a result read there
    bool m_resultOnReplica = false;
    bool m_writing = false;       // a write transaction is open
    bool m_wroteInWrite = false;  // and has written: its commit moves the server's log on
};

// The write transaction a lookup may claim, ended however the scope is left: rolled back unless
// committed.
class WriteTransaction {
public:
    explicit WriteTransaction(QueryChannel &channel) : m_channel(channel) {}
    ~WriteTransaction() { m_channel.rollbackWrite(); }
    WriteTransaction(const WriteTransaction &) = delete;
    WriteTransaction &operator=(const WriteTransaction &) = delete;
    void commit() { m_channel.commitWrite(); }

private:
    QueryChannel &m_channel;
};

// A snapshot of the store for as long as it lives: the channel's beginSnapshot, then its endSnapshot
// however the scope is left.
class ReadSnapshot {
public:
    explicit ReadSnapshot(QueryChannel &channel) : m_channel(channel) { m_channel.beginSnapshot(); }
    ~ReadSnapshot() { m_channel.endSnapshot(); }
    ReadSnapshot(const ReadSnapshot &) = delete;
    ReadSnapshot &operator=(const ReadSnapshot &) = delete;

private:
    QueryChannel &m_channel;
};

} // namespace store
