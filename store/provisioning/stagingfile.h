#pragma once

#include "store/provisioning/stagedfile.h"

#include <QString>
#include <QTemporaryFile>

#include <optional>

namespace store {

// A new directory file while it is written: a hidden file beside its target, ".NAME.XXXXXX", which
// SQLite fills (with its journal beside it) and publish() gives the target's name once whole. Until
// then nothing of it outlives the writing: it goes with its journal when this object goes, and when
// a signal ends the process (removeStagingOnSignals). One a killed process left behind is removed by
// the next StagingFile for the same target: a lock held for as long as the file is in use tells a
// living writer's file from a dead one's.
class StagingFile {
public:
    // Throws StoreError (FileNotStaged).
    explicit StagingFile(const QString &target);
    ~StagingFile();
    StagingFile(const StagingFile &) = delete;
    StagingFile &operator=(const StagingFile &) = delete;

    QString path() const { return m_file.fileName(); }
    // Gives the file the target's name, never replacing one; nothing when it has it (see publishFile).
    std::optional<PublishFailure> publish();

private:
    QString m_target;
    QTemporaryFile m_file; // kept open: its descriptor holds the lock
    int m_slot = -1;       // where the signal handler finds its paths; -1 when it does not
    bool m_published = false;
};

// From now on the signals that end a process and can be caught (SIGHUP, SIGINT, SIGQUIT, SIGTERM,
// SIGPIPE, SIGXFSZ) first remove the staging files in use, then end it as they would have. A signal
// the process ignores, or already handles itself (and so does not end by), is left as it is. For a
// program's start.
void removeStagingOnSignals();

} // namespace store
