#include "store/provisioning/datafoldercreation.h"

#include "store/storeerror.h"
#include "store/provisioning/filestorecreation.h"
#include "store/provisioning/serverstorecreation.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>

#include <functional>

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

// The one way a data folder is made. None of its files may be there yet (storeFiles, db.dat, and
// conf.cfg when conf is given), and conf.cfg's bytes are made before anything else; then the folder
// (and those above it), the store (makeStore, which throws StoreError and leaves nothing behind when
// it does; storeFiles are its files), db.dat and conf.cfg. A file that cannot be written takes away
// every file and folder made, and fails as fileFailure words it.
DataFolderCreation makeDataFolder(const QString &directory, const QStringList &storeFiles,
                                  const std::optional<config::ConfFile> &conf, const std::function<void()> &makeStore,
                                  const std::function<StoreError(const StoreError &)> &fileFailure)
{
    using Outcome = DataFolderCreation::Outcome;
    const QDir dir(directory);
    const QString marker = dir.filePath(QStringLiteral("db.dat"));
    const QString confPath = dir.filePath(QStringLiteral("conf.cfg"));
    QStringList existing;
    for (const QString &path : storeFiles + QStringList{marker, confPath})
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
        makeStore();
    } catch (const StoreError &e) {
        return {Outcome::Failed, {}, e};
    }
    QStringList created = storeFiles;
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
        return {Outcome::Failed, {}, fileFailure(*problem)};
    }
    removeNewFolders.dismiss();
    return {Outcome::Created, created, {}};
}

} // namespace

DataFolderCreation createDataFolder(const QString &directory, const std::optional<config::ConfFile> &conf)
{
    const QString history = QDir(directory).filePath(QStringLiteral("history.dat"));
    return makeDataFolder(
        directory, {history}, conf, [&] { createDirectoryFile(history); },
        [](const StoreError &problem) { return problem; });
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
    bool held = false;
    DataFolderCreation made = makeDataFolder(
        directory, {}, conf,
        [&] {
            held = serverHoldsDirectory(conf.server());
            if (!held)
                createServerDirectory(conf.server(), members);
        },
        [](const StoreError &problem) {
            return StoreError::because(StoreError::Kind::ServerFolderIncomplete, problem);
        });
    made.serverHeldDirectory = held && made.outcome == DataFolderCreation::Outcome::Created;
    return made;
}

} // namespace store
