#pragma once

#include <QString>

namespace store {

// Whether the file lies on a file system shared over the network, as the system tells it: by the
// file system's type on POSIX (NFS, SMB/CIFS, FUSE, 9P, AFS, Ceph and the like), by a UNC path
// (\\server\share) or a drive Windows calls remote. SQLite's locks cannot be trusted there.
bool isOnNetworkFileSystem(const QString &path);

} // namespace store
