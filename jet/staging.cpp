#include "jet/staging.h"

#include "jet/importerror.h"

#include "store/platform/durablefile.h"

#include <QDir>
#include <QFileInfo>

namespace jet {

StagedFile::StagedFile(const QString &target, QFileDevice::Permissions permissions)
    : m_target(QFileInfo(target).absoluteFilePath()), m_file(m_target + QStringLiteral(".import-XXXXXX"))
{
    if (!m_file.open())
        throw ImportError(ImportError::Kind::StagingNotCreated,
                          {QDir::toNativeSeparators(QFileInfo(m_target).path()), m_file.errorString()});
    // SQLite opens the file by name; a second descriptor of ours closing later would drop its locks.
    m_file.close();
    m_file.setPermissions(permissions);
}

void StagedFile::publish(bool replace)
{
    const std::optional<store::PublishFailure> failure = store::publishFile(path(), m_target, replace);
    if (!failure) {
        m_file.setAutoRemove(false);
        return;
    }
    const QString target = QDir::toNativeSeparators(m_target);
    if (replace)
        throw ImportError(ImportError::Kind::TargetNotReplaced, {target, failure->reason});
    if (failure->targetExists)
        throw ImportError(ImportError::Kind::TargetAppeared, {target});
    throw ImportError(ImportError::Kind::TargetNotRenamed, {target, failure->reason});
}

} // namespace jet
