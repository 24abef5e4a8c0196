#include "store/platform/writerlock.h"

#include <QFile>
#include <QTemporaryFile>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace store {

struct WriterLock::Held {
    QTemporaryFile file; // kept open: its descriptor holds the lock
};

namespace {

// Takes the lock that marks the file as in use, and checks that it is still the file of that name:
// another writer's clean-up may have taken it for a dead one's before the lock was held.
bool holdAsLiving(QTemporaryFile &file)
{
    struct stat held {};
    struct stat named {};
    return ::flock(file.handle(), LOCK_EX | LOCK_NB) == 0 && ::fstat(file.handle(), &held) == 0
        && ::stat(QFile::encodeName(file.fileName()).constData(), &named) == 0 && held.st_dev == named.st_dev
        && held.st_ino == named.st_ino;
}

} // namespace

WriterLock::WriterLock(const QString &templatePath)
{
    auto held = std::make_unique<Held>();
    held->file.setFileTemplate(templatePath);
    if (!held->file.open()) {
        m_failure = held->file.errorString();
        return;
    }
    if (!holdAsLiving(held->file)) {
        m_failure = QString::fromLocal8Bit(std::strerror(errno));
        return; // the file goes with its QTemporaryFile
    }
    // From here on the owner decides whether the file stays.
    held->file.setAutoRemove(false);
    m_path = held->file.fileName();
    m_held = std::move(held);
}

WriterLock::~WriterLock() = default;

struct LeftoverClaim::Held {
    int fd = -1;
    struct stat info {};
    ~Held() { ::close(fd); }
};

LeftoverClaim::LeftoverClaim(const QString &path) : m_path(path)
{
    auto held = std::make_unique<Held>();
    held->fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (held->fd < 0 || ::flock(held->fd, LOCK_EX | LOCK_NB) != 0 || ::fstat(held->fd, &held->info) != 0
        || !S_ISREG(held->info.st_mode))
        return;
    m_held = std::move(held);
}

LeftoverClaim::~LeftoverClaim() = default;

qint64 LeftoverClaim::size() const
{
    return m_held->info.st_size;
}

QByteArray LeftoverClaim::head(qint64 bytes) const
{
    QByteArray start(bytes, '\0');
    const ssize_t read = ::pread(m_held->fd, start.data(), std::size_t(bytes), 0);
    start.truncate(read < 0 ? 0 : qsizetype(read));
    return start;
}

bool LeftoverClaim::remove()
{
    return ::unlink(QFile::encodeName(m_path).constData()) == 0 || errno == ENOENT;
}

} // namespace store
