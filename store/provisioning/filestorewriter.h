#pragma once

#include <QString>
#include <QVariant>

#include <memory>

namespace store {

// Writes a new directory file in one transaction, for an import: the program's tables first, then
// the statements and rows the importer gives. The statements are SQLite's own SQL. The file is
// thrown away unless commit() is reached, so it keeps no journal file; the commit itself is written
// through to the disk. Every failure throws StoreError.
class FileStoreWriter {
public:
    // Opens (creating) the file at path, which must not hold any table yet, and creates the program's
    // tables.
    explicit FileStoreWriter(const QString &path);
    ~FileStoreWriter(); // without commit(), nothing is committed
    FileStoreWriter(const FileStoreWriter &) = delete;
    FileStoreWriter &operator=(const FileStoreWriter &) = delete;

    // A statement that yields no rows (CREATE TABLE, ALTER TABLE). A failure names the file.
    void execute(const QString &sql);
    // The insert, with a ? for each value, that the next rows go through until endInsert. A failure
    // names context (what the rows come from), and for a row also the row's number.
    void beginInsert(const QString &sql, const QString &context);
    // One row's values (null, integers, reals, texts, bytes), in the insert's order.
    void insert(const QVariantList &values);
    void endInsert();
    // Commits and closes the file.
    void commit();

private:
    struct Handles;
    std::unique_ptr<Handles> m_handles;
    QString m_path;
    QString m_context;
    qint64 m_rows = 0; // inserted since beginInsert
};

} // namespace store
