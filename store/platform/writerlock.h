#pragma once

#include <QByteArray>
#include <QString>

#include <memory>

namespace store {

// A new file that this process fills through other handles (SQLite's), held by a handle of its own for
// as long as it is in use. That handle is what tells a clean-up in another process a living writer's
// file from one a dead writer left: an flock on it on POSIX; on Windows its mere openness, since a
// file open anywhere cannot be taken exclusively. It lets SQLite's handles, a removal and a rename
// of the file through.
class WriterLock {
public:
    // Creates the file, named as templatePath with its trailing "XXXXXX" made unique, and holds it.
    explicit WriterLock(const QString &templatePath);
    ~WriterLock(); // lets go of the file; it stays where it is
    WriterLock(const WriterLock &) = delete;
    WriterLock &operator=(const WriterLock &) = delete;

    bool isHeld() const { return m_held != nullptr; }
    QString path() const { return m_path; }
    // The system's reason when the file could not be made or held.
    QString failure() const { return m_failure; }

private:
    struct Held;
    std::unique_ptr<Held> m_held;
    QString m_path;
    QString m_failure;
};

// A file whose writer is gone, held so that no writer can take it while it is looked at and removed.
class LeftoverClaim {
public:
    explicit LeftoverClaim(const QString &path);
    ~LeftoverClaim();
    LeftoverClaim(const LeftoverClaim &) = delete;
    LeftoverClaim &operator=(const LeftoverClaim &) = delete;

    // A regular file (never a link to one) that no living writer holds.
    bool isHeld() const { return m_held != nullptr; }
    qint64 size() const;
    // Its first bytes: fewer when it is shorter, or cannot be read.
    QByteArray head(qint64 bytes) const;
    // True when the file is gone.
    bool remove();

private:
    struct Held;
    std::unique_ptr<Held> m_held;
    QString m_path;
};

} // namespace store
