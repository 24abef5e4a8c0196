#pragma once

#include <QString>

struct sqlite3;

namespace store {

// One SQLite connection to the directory file, opened on first use.
// The file is never created here: a missing or foreign file is an error (see zelvik-cli init).
class Connection {
public:
    explicit Connection(QString dataSource = QStringLiteral("history.dat"));
    ~Connection();
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;

    void setDataSource(const QString &path); // closes an open connection
    const QString &dataSource() const { return m_dataSource; }

    // Opens the file if not yet open (WAL, busy timeout, synchronous=FULL, the text collation);
    // nothing otherwise. A file not yet in WAL is first checked to be a sound directory file and
    // left untouched when it is not. A file that may not be written is opened for the lookups all the
    // same (see openDatabaseFile); writes then fail saying so. Throws DatabaseError naming the problem.
    void connect();
    bool isOpen() const { return m_db != nullptr; }
    bool isReadOnly() const;
    void close();

    sqlite3 *handle() const { return m_db; }

private:
    QString m_dataSource;
    sqlite3 *m_db = nullptr;
};

} // namespace store
