#include "store/provisioning/stagingfile.h"

#include "store/storeerror.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <array>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace store {

namespace {

// SQLite's files beside a database, then the database itself: removed in this order, so that a
// removal cut short never leaves a journal without its database.
constexpr std::array<const char *, 4> kSuffixes = {"-journal", "-wal", "-shm", ""};

// The staging files in use, where a signal handler can read them: fixed storage, and a state that
// says when a slot's paths are whole.
enum SlotState : int { kFree, kFilling, kArmed };
struct Slot {
    std::atomic<int> state{kFree};
    std::array<std::array<char, PATH_MAX>, kSuffixes.size()> paths{};
};
std::array<Slot, 4> g_slots;

void removeFiles(const std::array<std::array<char, PATH_MAX>, kSuffixes.size()> &paths)
{
    for (const auto &path : paths)
        ::unlink(path.data());
}

// A slot holding the file's paths, or -1 when none is free (the file is then left to the next run).
int arm(const QByteArray &path)
{
    for (int i = 0; i < int(g_slots.size()); ++i) {
        Slot &slot = g_slots[std::size_t(i)];
        int expected = kFree;
        if (!slot.state.compare_exchange_strong(expected, kFilling))
            continue;
        for (std::size_t s = 0; s < kSuffixes.size(); ++s) {
            const QByteArray full = path + kSuffixes[s];
            if (full.size() >= PATH_MAX) {
                slot.state.store(kFree);
                return -1;
            }
            std::memcpy(slot.paths[s].data(), full.constData(), std::size_t(full.size()) + 1);
        }
        slot.state.store(kArmed);
        return i;
    }
    return -1;
}

void disarm(int slot)
{
    if (slot >= 0)
        g_slots[std::size_t(slot)].state.store(kFree);
}

constexpr std::array<int, 6> kEndingSignals = {SIGHUP, SIGINT, SIGQUIT, SIGTERM, SIGPIPE, SIGXFSZ};

void removeStagingAndEnd(int signal)
{
    for (const Slot &slot : g_slots)
        if (slot.state.load() == kArmed)
            removeFiles(slot.paths);
    // The signal's own ending (its exit status, a core for SIGQUIT), once the handler returns.
    struct sigaction original {};
    original.sa_handler = SIG_DFL;
    sigemptyset(&original.sa_mask);
    ::sigaction(signal, &original, nullptr);
    ::raise(signal);
}

// What a staging file of ours is, whenever its writer died: empty, an SQLite database, or one whose
// first page SQLite has not written yet (it does so last, at the commit).
bool looksStaged(int fd)
{
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode))
        return false;
    if (info.st_size == 0)
        return true;
    char header[16];
    constexpr char kUnwritten[sizeof header] = {};
    return ::pread(fd, header, sizeof header, 0) == ssize_t(sizeof header)
        && (std::memcmp(header, "SQLite format 3", sizeof header) == 0
            || std::memcmp(header, kUnwritten, sizeof header) == 0);
}

// Removes the staging files for target (with their journals) that no living writer holds.
void removeStale(const QFileInfo &target)
{
    const QDir folder = target.absoluteDir();
    const QRegularExpression ours(QStringLiteral("^\\.%1\\.[A-Za-z0-9]{6}$")
                                      .arg(QRegularExpression::escape(target.fileName())));
    const QStringList names = folder.entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoSymLinks);
    for (const QString &name : names) {
        if (!ours.match(name).hasMatch())
            continue;
        const QByteArray path = QFile::encodeName(folder.filePath(name));
        const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
        if (fd < 0)
            continue;
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && looksStaged(fd))
            for (const char *suffix : kSuffixes)
                ::unlink((path + suffix).constData());
        ::close(fd);
    }
}

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

StagingFile::StagingFile(const QString &target)
    : m_target(QFileInfo(target).absoluteFilePath())
{
    const QFileInfo info(m_target);
    removeStale(info);
    m_file.setFileTemplate(info.absolutePath() + QStringLiteral("/.") + info.fileName() + QStringLiteral(".XXXXXX"));
    if (!m_file.open())
        throw StoreError(StoreError::Kind::FileNotStaged, {target, m_file.errorString()});
    if (!holdAsLiving(m_file))
        throw StoreError(StoreError::Kind::FileNotStaged, {target, QString::fromLocal8Bit(std::strerror(errno))});
    m_slot = arm(QFile::encodeName(path()));
}

StagingFile::~StagingFile()
{
    if (!m_published) {
        const QByteArray staged = QFile::encodeName(path());
        for (const char *suffix : kSuffixes)
            ::unlink((staged + suffix).constData());
    }
    disarm(m_slot);
}

std::optional<PublishFailure> StagingFile::publish()
{
    std::optional<PublishFailure> failure = publishFile(path(), m_target, false);
    if (!failure) {
        m_published = true;
        m_file.setAutoRemove(false);
    }
    return failure;
}

void removeStagingOnSignals()
{
    for (const int signal : kEndingSignals) {
        struct sigaction previous {};
        if (::sigaction(signal, nullptr, &previous) != 0 || previous.sa_handler != SIG_DFL)
            continue;
        struct sigaction handler {};
        handler.sa_handler = removeStagingAndEnd;
        sigemptyset(&handler.sa_mask);
        ::sigaction(signal, &handler, nullptr);
    }
}

} // namespace store
