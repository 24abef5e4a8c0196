#include "store/platform/networkshare.h"

#include "store/platform/windowserror.h"

#include <windows.h>

namespace store {

bool isOnNetworkFileSystem(const QString &path)
{
    const std::wstring full = nativePath(path);
    const std::wstring_view name(full);
    // \\server\share\..., also written \\?\UNC\server\share\...; \\?\C:\... and \\.\... are local forms.
    if (name.starts_with(L"\\\\?\\UNC\\") || (name.starts_with(L"\\\\") && !name.starts_with(L"\\\\?\\")
                                               && !name.starts_with(L"\\\\.\\")))
        return true;
    // The root of the volume the file is on: a drive letter mapped to a share, or a share mounted
    // into a local folder, is DRIVE_REMOTE.
    wchar_t root[MAX_PATH + 1] = {};
    if (!GetVolumePathNameW(full.c_str(), root, MAX_PATH))
        return false;
    return GetDriveTypeW(root) == DRIVE_REMOTE;
}

} // namespace store
