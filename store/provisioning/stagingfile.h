#pragma once

#include "store/platform/durablefile.h"
#include "store/platform/writerlock.h"

#include <QString>

#include <optional>

namespace store {

// A new directory file while it is written: a hidden file beside its target, ".NAME.XXXXXX", which
// SQLite fills (with its journal beside it) and publish() gives the target's name once whole. Until
// then nothing of it outlives the writing: it goes with its journal when this object goes, and when
// the process is ended by a signal or the console (removeStagingOnSignals). One a killed process left
// behind is removed by the next StagingFile for the same target: a lock held for as long as the file
// is in use tells a living writer's file from a dead one's (WriterLock).
class StagingFile {
public:
    // Throws StoreError (FileNotStaged).
    explicit StagingFile(const QString &target);
    ~StagingFile();
    StagingFile(const StagingFile &) = delete;
    StagingFile &operator=(const StagingFile &) = delete;

    QString path() const { return m_lock->path(); }
    // Gives the file the target's name, never replacing one; nothing when it has it (see publishFile).
    std::optional<PublishFailure> publish();

private:
    QString m_target;
    std::optional<WriterLock> m_lock; // made once the leftovers of dead writers are gone
    int m_slot = -1;                  // where the signal handler finds its paths; -1 when it does not
    bool m_published = false;
};

// From now on the events that end a process (see callBeforeEnding) first remove the staging files in
// use, then end it as they would have. For a program's start.
void removeStagingOnSignals();

} // namespace store
