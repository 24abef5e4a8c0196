#include "store/platform/networkshare.h"

#include <QFile>

#include <sys/vfs.h>

namespace store {

bool isOnNetworkFileSystem(const QString &path)
{
    struct statfs info {};
    if (statfs(QFile::encodeName(path).constData(), &info) != 0)
        return false;
    switch (static_cast<unsigned long>(info.f_type)) {
    case 0x6969:     // NFS
    case 0x517B:     // SMB
    case 0xFF534D42: // CIFS
    case 0xFE534D42: // SMB2
    case 0x65735546: // FUSE: sshfs, and other user-space file systems that may be remote
    case 0x01021997: // 9P
    case 0x5346414F: // AFS
    case 0x00C36400: // Ceph
    case 0x73757245: // Coda
    case 0x564C:     // NCP
    case 0x0BD00BD0: // Lustre
    case 0x01161970: // GFS2
        return true;
    default:
        return false;
    }
}

} // namespace store
