#pragma once

#include <QString>

namespace store {

// A new file is written whole under a temporary name in its target's folder, then given the target's
// name by a rename, and the folder synced so the new name survives a power cut. This is that last step.
// Without replace an existing target is never touched. Returns the system's reason on failure, empty
// on success; the caller words it, knowing whether the target exists.
QString publishFile(const QString &staged, const QString &target, bool replace);

// Makes a rename or a new name in the folder of path durable.
void syncFolderOf(const QString &path);

} // namespace store
