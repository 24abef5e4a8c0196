#include "jet/staging.h"

#include "jet/importerror.h"

#include "store/provisioning/stagedfile.h"

#include <QDir>
#include <QFileInfo>

namespace jet {

StagedFile::StagedFile(const QString &target, QFileDevice::Permissions permissions)
    : m_target(QFileInfo(target).absoluteFilePath()), m_file(m_target + QStringLiteral(".import-XXXXXX"))
{
    if (!m_file.open())
        throw importError(QStringLiteral("не удаётся создать файл в %1: %2")
                              .arg(QDir::toNativeSeparators(QFileInfo(m_target).path()), m_file.errorString()));
    // SQLite opens the file by name; a second descriptor of ours closing later would drop its locks.
    m_file.close();
    m_file.setPermissions(permissions);
}

void StagedFile::publish(bool replace)
{
    const QString failure = store::publishFile(path(), m_target, replace);
    if (failure.isEmpty()) {
        m_file.setAutoRemove(false);
        return;
    }
    if (replace)
        throw importError(QStringLiteral("не удаётся заменить %1: %2").arg(QDir::toNativeSeparators(m_target), failure));
    throw importError(QStringLiteral("не удаётся создать %1: %2")
                          .arg(QDir::toNativeSeparators(m_target),
                               QFileInfo::exists(m_target) ? QStringLiteral("он уже существует")
                                                           : QStringLiteral("переименование не удалось")));
}

} // namespace jet
