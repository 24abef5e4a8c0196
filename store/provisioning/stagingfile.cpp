#include "store/provisioning/stagingfile.h"

#include "store/platform/endingevents.h"
#include "store/storeerror.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <array>
#include <atomic>

namespace store {

namespace {

// SQLite's files beside a database, then the database itself: removed in this order, so that a
// removal cut short never leaves a journal without its database.
constexpr std::array<const char *, 4> kSuffixes = {"-journal", "-wal", "-shm", ""};

// The staging files in use, where a signal handler can read them: fixed storage, and a state that
// says when a slot's names are whole.
enum SlotState : int { kFree, kFilling, kArmed };
struct Slot {
    std::atomic<int> state{kFree};
    std::array<RemovableName, kSuffixes.size()> names{};
};
std::array<Slot, 4> g_slots;

// A slot holding the file's names, or -1 when none is free (the file is then left to the next run).
int arm(const QString &path)
{
    for (int i = 0; i < int(g_slots.size()); ++i) {
        Slot &slot = g_slots[std::size_t(i)];
        int expected = kFree;
        if (!slot.state.compare_exchange_strong(expected, kFilling))
            continue;
        for (std::size_t s = 0; s < kSuffixes.size(); ++s) {
            if (!slot.names[s].assign(path + QLatin1String(kSuffixes[s]))) {
                slot.state.store(kFree);
                return -1;
            }
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

void removeArmed()
{
    for (const Slot &slot : g_slots) {
        if (slot.state.load() != kArmed)
            continue;
        for (const RemovableName &name : slot.names)
            if (!name.remove())
                break;
    }
}

// Removes the file's journals, then the file; stops at one that stays.
bool removeCompanions(const QString &path)
{
    for (const char *suffix : kSuffixes) {
        const QString companion = path + QLatin1String(suffix);
        if (*suffix && !QFile::remove(companion) && QFileInfo::exists(companion))
            return false;
    }
    return true;
}

// What a staging file of ours is, whenever its writer died: empty, an SQLite database, or one whose
// first page SQLite has not written yet (it does so last, at the commit).
bool looksStaged(const LeftoverClaim &file)
{
    if (file.size() == 0)
        return true;
    constexpr qint64 kHeader = 16;
    const QByteArray header = file.head(kHeader);
    return header == QByteArray("SQLite format 3", kHeader) || header == QByteArray(kHeader, '\0');
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
        const QString path = folder.filePath(name);
        LeftoverClaim leftover(path);
        if (leftover.isHeld() && looksStaged(leftover) && removeCompanions(path))
            leftover.remove();
    }
}

} // namespace

StagingFile::StagingFile(const QString &target)
    : m_target(QFileInfo(target).absoluteFilePath())
{
    const QFileInfo info(m_target);
    removeStale(info);
    m_lock.emplace(info.absolutePath() + QStringLiteral("/.") + info.fileName() + QStringLiteral(".XXXXXX"));
    if (!m_lock->isHeld())
        throw StoreError(StoreError::Kind::FileNotStaged, {target, m_lock->failure()});
    m_slot = arm(path());
}

StagingFile::~StagingFile()
{
    if (!m_published && removeCompanions(path()))
        QFile::remove(path());
    disarm(m_slot);
}

std::optional<PublishFailure> StagingFile::publish()
{
    std::optional<PublishFailure> failure = publishFile(path(), m_target, false);
    if (!failure)
        m_published = true;
    return failure;
}

void removeStagingOnSignals()
{
    callBeforeEnding(removeArmed);
}

} // namespace store
