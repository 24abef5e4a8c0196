#include "store/provisioning/stagedfile.h"

#include <QFile>
#include <QFileInfo>

#include <filesystem>
#include <system_error>

#include <fcntl.h>
#include <unistd.h>

namespace store {

std::optional<PublishFailure> publishFile(const QString &staged, const QString &target, bool replace)
{
    if (replace) {
        std::error_code error;
        std::filesystem::rename(QFile::encodeName(staged).constData(), QFile::encodeName(target).constData(), error);
        if (error)
            return PublishFailure{QFileInfo::exists(target), QString::fromLocal8Bit(error.message())};
    } else {
        // QFile::rename refuses to replace an existing file, so a file created meanwhile survives.
        QFile file(staged);
        if (!file.rename(target))
            return PublishFailure{QFileInfo::exists(target), file.errorString()};
    }
    syncFolderOf(target);
    return std::nullopt;
}

void syncFolderOf(const QString &path)
{
    const QByteArray folder = QFile::encodeName(QFileInfo(path).absolutePath());
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

} // namespace store
