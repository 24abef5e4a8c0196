#include "store/provisioning/datafoldercreation.h"

#include "store/storeerror.h"
#include "store/provisioning/filestorecreation.h"
#include "store/provisioning/serverstorecreation.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>

namespace store {

namespace {

// Writes a new file with the given bytes; never replaces one, and leaves none half written.
bool writeNewFile(const QString &path, const QByteArray &bytes, std::optional<StoreError> &problem)
{
    QFile file(path);
    const bool opened = file.open(QIODevice::WriteOnly | QIODevice::NewOnly);
    if (opened && file.write(bytes) == bytes.size() && file.flush())
        return true;
    problem = StoreError(StoreError::Kind::FileNotWritten, {path, file.errorString()});
    if (opened)
        file.remove();
    return false;
}

// conf.cfg's bytes, or the failure when conf cannot be written.
std::optional<QByteArray> confBytes(const QString &path, const config::ConfFile &conf, std::optional<StoreError> &failure)
{
    std::optional<QByteArray> bytes = config::confFileBytes(conf);
    if (!bytes)
        failure = StoreError(StoreError::Kind::RegionNotEncodable, {path});
    return bytes;
}

// Makes the folder and any missing above it. Returns those it made, deepest first; nothing when it
// could not.
std::optional<QStringList> makeFolder(const QString &directory)
{
    QStringList missing;
    for (QString path = QDir(directory).absolutePath(); !QFileInfo::exists(path) && !QDir(path).isRoot();
         path = QFileInfo(path).absolutePath())
        missing.append(path);
    if (!QDir().mkpath(directory))
        return std::nullopt;
    return missing;
}

// Takes away again the folders a failure leaves empty (a folder that holds anything stays).
void removeFolders(const QStringList &deepestFirst)
{
    for (const QString &path : deepestFirst)
        if (!QDir().rmdir(path))
            return;
}

} // namespace

DataFolderCreation createDataFolder(const QString &directory, const std::optional<config::ConfFile> &conf)
{
    using Outcome = DataFolderCreation::Outcome;
    const QDir dir(directory);
    const QString history = dir.filePath(QStringLiteral("history.dat"));
    const QString marker = dir.filePath(QStringLiteral("db.dat"));
    const QString confPath = dir.filePath(QStringLiteral("conf.cfg"));
    QStringList existing;
    for (const QString &path : {history, marker, confPath})
        if ((path != confPath || conf) && (QFileInfo::exists(path) || QFileInfo(path).isSymLink()))
            existing.append(path);
    if (!existing.isEmpty())
        return {Outcome::FilesExist, existing, {}};
    std::optional<StoreError> failure;
    const std::optional<QByteArray> confLines = conf ? confBytes(confPath, *conf, failure) : std::nullopt;
    if (failure)
        return {Outcome::Failed, {}, failure};
    const std::optional<QStringList> newFolders = makeFolder(directory);
    if (!newFolders)
        return {Outcome::FolderNotCreated, {directory}, {}};
    // A failure from here on leaves no folder it made.
    auto removeNewFolders = qScopeGuard([&] { removeFolders(*newFolders); });

    try {
        createDirectoryFile(history);
    } catch (const StoreError &e) {
        return {Outcome::Failed, {}, e};
    }
    QStringList created{history};
    std::optional<StoreError> problem;
    bool written = writeNewFile(marker, {}, problem);
    if (written)
        created.append(marker);
    if (written && confLines) {
        written = writeNewFile(confPath, *confLines, problem);
        if (written)
            created.append(confPath);
    }
    if (!written) {
        // Leave the folder as it was found.
        for (const QString &path : created)
            QFile::remove(path);
        return {Outcome::Failed, {}, problem};
    }
    removeNewFolders.dismiss();
    return {Outcome::Created, created, {}};
}

DataFolderCreation createConfFile(const QString &directory, const config::ConfFile &conf)
{
    using Outcome = DataFolderCreation::Outcome;
    const QString path = QDir(directory).filePath(QStringLiteral("conf.cfg"));
    if (QFileInfo::exists(path) || QFileInfo(path).isSymLink())
        return {Outcome::FilesExist, {path}, {}};
    std::optional<StoreError> failure;
    const std::optional<QByteArray> bytes = confBytes(path, conf, failure);
    if (bytes && writeNewFile(path, *bytes, failure))
        return {Outcome::Created, {path}, {}};
    return {Outcome::Failed, {}, failure};
}

DataFolderCreation createServerDataFolder(const QString &directory, const config::ConfFile &conf, RoleMembers members)
{
    using Outcome = DataFolderCreation::Outcome;
    const QDir dir(directory);
    const QString marker = dir.filePath(QStringLiteral("db.dat"));
    const QString confPath = dir.filePath(QStringLiteral("conf.cfg"));
    QStringList existing;
    for (const QString &path : {marker, confPath})
        if (QFileInfo::exists(path) || QFileInfo(path).isSymLink())
            existing.append(path);
    if (!existing.isEmpty())
        return {Outcome::FilesExist, existing, {}};
    std::optional<StoreError> failure;
    const std::optional<QByteArray> lines = confBytes(confPath, conf, failure);
    if (failure)
        return {Outcome::Failed, {}, failure};
    const std::optional<QStringList> newFolders = makeFolder(directory);
    if (!newFolders)
        return {Outcome::FolderNotCreated, {directory}, {}};
    // A failure from here on leaves no folder it made.
    auto removeNewFolders = qScopeGuard([&] { removeFolders(*newFolders); });

    bool held = false;
    try {
        held = serverHoldsDirectory(conf.server());
        if (!held)
            createServerDirectory(conf.server(), members);
    } catch (const StoreError &e) {
        return {Outcome::Failed, {}, e};
    }
    std::optional<StoreError> problem;
    QStringList created;
    for (const auto &[path, bytes] : {std::pair{marker, QByteArray()}, std::pair{confPath, *lines}}) {
        if (!writeNewFile(path, bytes, problem)) {
            for (const QString &made : created)
                QFile::remove(made);
            return {Outcome::Failed, {}, StoreError::because(StoreError::Kind::ServerFolderIncomplete, *problem)};
        }
        created.append(path);
    }
    removeNewFolders.dismiss();
    return {Outcome::Created, created, {}, held};
}

} // namespace store
