#include "store/platform/durablefile.h"

#include <QFile>
#include <QFileInfo>

#include <filesystem>
#include <system_error>

#include <fcntl.h>
#include <unistd.h>

namespace store {

namespace {

void syncPath(const QString &path, int flags)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | flags);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

} // namespace

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
    syncPath(QFileInfo(path).absolutePath(), O_DIRECTORY);
}

void flushToDisk(const QString &path)
{
    syncPath(path, 0);
}

} // namespace store
