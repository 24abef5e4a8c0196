#include "tests/support/scratchfolder.h"

#include "store/provisioning/filestorecreation.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>

#include <stdexcept>

namespace {

void failWith(const QString &text)
{
    throw std::runtime_error(text.toStdString());
}

} // namespace

ScratchFolder::ScratchFolder(Content content)
{
    if (!m_dir.isValid())
        failWith(QStringLiteral("cannot create a temporary folder: ") + m_dir.errorString());
    setFolderMode(openFolder());
    if (content & HistoryDat) {
        store::createDirectoryFile(history());
        setMode(QStringLiteral("history.dat"), readWrite());
    }
    if (content & DbDat)
        write(QStringLiteral("db.dat"), {});
}

ScratchFolder::~ScratchFolder()
{
    // A folder or file left read-only would stop the removal of what is in it.
    setFolderMode(openFolder());
    QDirIterator it(path(), QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString entry = it.next();
        if (!QFileInfo(entry).isSymLink())
            QFile::setPermissions(entry, openFolder());
    }
}

void ScratchFolder::write(const QString &name, const QByteArray &bytes) const
{
    QFile file(path(name));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        failWith(path(name) + QStringLiteral(": ") + file.errorString());
}

QByteArray ScratchFolder::read(const QString &name) const
{
    QFile file(path(name));
    if (!file.open(QIODevice::ReadOnly))
        failWith(path(name) + QStringLiteral(": ") + file.errorString());
    return file.readAll();
}

void ScratchFolder::makeDirectory(const QString &name) const
{
    if (!QDir(path()).mkpath(name))
        failWith(path(name) + QStringLiteral(": cannot create the folder"));
}

void ScratchFolder::remove(const QString &name) const
{
    if (!QFile::remove(path(name)))
        failWith(path(name) + QStringLiteral(": cannot remove it"));
}

void ScratchFolder::setFolderMode(QFileDevice::Permissions permissions) const
{
    if (!QFile::setPermissions(path(), permissions))
        failWith(path() + QStringLiteral(": cannot change its permissions"));
}

void ScratchFolder::setMode(const QString &name, QFileDevice::Permissions permissions) const
{
    if (!QFile::setPermissions(path(name), permissions))
        failWith(path(name) + QStringLiteral(": cannot change its permissions"));
}

QFileDevice::Permissions ScratchFolder::readOnly()
{
    return QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
}

QFileDevice::Permissions ScratchFolder::readWrite()
{
    return readOnly() | QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
}

QFileDevice::Permissions ScratchFolder::readOnlyFolder()
{
    return readOnly() | QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther;
}

QFileDevice::Permissions ScratchFolder::openFolder()
{
    return readWrite() | QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther;
}

CurrentDirectory::CurrentDirectory(const QString &path) : m_previous(QDir::currentPath())
{
    if (!QDir::setCurrent(path))
        failWith(path + QStringLiteral(": cannot make it the current directory"));
}

CurrentDirectory::~CurrentDirectory()
{
    QDir::setCurrent(m_previous);
}
