#pragma once

#include <QString>

#include <optional>

namespace store {

// A new file is written whole under a temporary name in its target's folder, then given the target's
// name, and that name made to survive a power cut. This is that last step, in the system's own terms
// (durablefile_posix.cpp, durablefile_windows.cpp). Without replace an existing target is never touched.
struct PublishFailure {
    bool targetExists = false; // the target was there (without replace: it was left alone)
    QString reason;            // the system's reason the rename failed
};
// Nothing when the file has its new name; otherwise why not, for the caller to report.
std::optional<PublishFailure> publishFile(const QString &staged, const QString &target, bool replace);

// Makes a rename or a new name in the folder of path durable.
void syncFolderOf(const QString &path);

// Sends what the system still holds of the file's contents to the disk. Like the folder's sync, a
// failure is not reported: the file is whole either way, only less sure to survive a power cut.
void flushToDisk(const QString &path);

} // namespace store
