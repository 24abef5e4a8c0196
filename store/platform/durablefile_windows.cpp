#include "store/platform/durablefile.h"

#include "store/platform/windowserror.h"

#include <QFileInfo>

#include <windows.h>

namespace store {

namespace {

// FlushFileBuffers needs a handle that may write; every sharing is allowed so that the handles
// already open on the file (the staging file's own, SQLite's) are no obstacle.
void flushHandleOf(const QString &path, DWORD flags)
{
    const HANDLE file = CreateFileW(nativePath(path).c_str(), GENERIC_READ | GENERIC_WRITE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                    flags, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    FlushFileBuffers(file);
    CloseHandle(file);
}

} // namespace

std::optional<PublishFailure> publishFile(const QString &staged, const QString &target, bool replace)
{
    // The contents reach the disk before the name does; MOVEFILE_WRITE_THROUGH then returns only once
    // the rename itself is on the disk, which is what a folder's fsync does elsewhere.
    flushToDisk(staged);
    const DWORD flags = MOVEFILE_WRITE_THROUGH | (replace ? MOVEFILE_REPLACE_EXISTING : 0);
    if (!MoveFileExW(nativePath(staged).c_str(), nativePath(target).c_str(), flags)) {
        const DWORD error = GetLastError();
        return PublishFailure{QFileInfo::exists(target), windowsErrorText(error)};
    }
    return std::nullopt;
}

void syncFolderOf(const QString &path)
{
    // A folder opens only with backup semantics; NTFS writes its entries out on a flush of it.
    flushHandleOf(QFileInfo(path).absolutePath(), FILE_FLAG_BACKUP_SEMANTICS);
}

void flushToDisk(const QString &path)
{
    flushHandleOf(path, FILE_ATTRIBUTE_NORMAL);
}

} // namespace store
