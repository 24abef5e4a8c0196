#pragma once

#include <QString>
#include <optional>

namespace store {

// A new file is written whole under a temporary name in its target's folder, then given the target's
// name by a rename, and the folder synced so the new name survives a power cut. This is that last step.
// Without replace an existing target is never touched.
struct PublishFailure {
    bool targetExists = false; // the target was there (without replace: it was left alone)
    QString reason;            // the system's reason the rename failed
};
// Nothing when the file has its new name; otherwise why not, for the caller to report.
std::optional<PublishFailure> publishFile(const QString &staged, const QString &target, bool replace);

// Makes a rename or a new name in the folder of path durable.
void syncFolderOf(const QString &path);

} // namespace store
