#include "staging.h"

#include "importerror.h"

#include <QDir>
#include <QFileInfo>

#include <filesystem>
#include <system_error>

#include <fcntl.h>
#include <unistd.h>

namespace jet {

StagedFile::StagedFile(const QString &target, QFileDevice::Permissions permissions)
    : m_target(QFileInfo(target).absoluteFilePath()), m_file(m_target + QStringLiteral(".import-XXXXXX"))
{
    if (!m_file.open())
        throw ImportError(QStringLiteral("cannot create a file in %1: %2")
                              .arg(QDir::toNativeSeparators(QFileInfo(m_target).path()), m_file.errorString()));
    // SQLite opens the file by name; a second descriptor of ours closing later would drop its locks.
    m_file.close();
    m_file.setPermissions(permissions);
}

void StagedFile::publish(bool replace)
{
    std::error_code error;
    if (replace) {
        std::filesystem::rename(nativePath(path()), nativePath(m_target), error);
    } else if (!QFile::rename(path(), m_target)) {
        throw ImportError(QStringLiteral("cannot create %1: %2")
                              .arg(QDir::toNativeSeparators(m_target),
                                   QFileInfo::exists(m_target) ? QStringLiteral("it exists already")
                                                               : QStringLiteral("the rename failed")));
    }
    if (error)
        throw ImportError(QStringLiteral("cannot replace %1: %2")
                              .arg(QDir::toNativeSeparators(m_target), QString::fromLocal8Bit(error.message())));
    m_file.setAutoRemove(false);
    syncFolderOf(m_target);
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

std::string nativePath(const QString &path)
{
    return QFile::encodeName(path).toStdString();
}

} // namespace jet
