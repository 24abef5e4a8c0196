#pragma once

#include <QString>
#include <QStringList>

#include <memory>
#include <string>

namespace store {

// A directory file opened for reading only, never created and never changed, for an administrator's
// check: SQLite's own verdict on it, and what queries find in it. Every failure throws StoreError
// naming the file.
class FileAudit {
public:
    explicit FileAudit(const QString &path);
    ~FileAudit();
    FileAudit(const FileAudit &) = delete;
    FileAudit &operator=(const FileAudit &) = delete;

    // What SQLite finds wrong with the file's pages, records and indexes, line by line; empty when it
    // is sound. The indexes on text columns are ordered by the program's collation, which is
    // registered first so that they are checked at all.
    QStringList integrityProblems();
    // Every line a statement (SQLite's SQL) yields in its first column, as text.
    QStringList firstColumn(const std::string &sql);

private:
    struct Handle;
    std::unique_ptr<Handle> m_handle;
    QString m_path;
};

} // namespace store
