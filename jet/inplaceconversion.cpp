#include "jet/inplaceconversion.h"

#include "store/platform/durablefile.h"
#include "jet/importerror.h"
#include "jet/jetsignature.h"
#include "jet/staging.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <filesystem>
#include <system_error>

namespace jet {

namespace {

QString shown(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

bool sameFile(const QString &a, const QString &b)
{
    std::error_code error;
    return std::filesystem::equivalent(QFileInfo(a).filesystemFilePath(), QFileInfo(b).filesystemFilePath(), error)
        && !error;
}

// A copy stands in for the hard link where the file system has none; it reaches the disk before
// the original's name goes to the new store.
void copyDurably(const QString &from, const QString &to)
{
    if (!QFile::copy(from, to))
        throw ImportError(ImportError::Kind::OriginalNotKept, {shown(to)});
    store::flushToDisk(to);
}

// Gives the original its second name. True when this call created it, so that a failure later on
// can take back exactly that.
bool keepOriginal(const QString &path, const QString &original)
{
    if (QFileInfo::exists(original) || QFileInfo(original).isSymLink()) {
        // An earlier conversion stopped between linking and renaming: the name is already ours.
        if (sameFile(path, original))
            return false;
        throw ImportError(ImportError::Kind::OriginalNameTaken, {shown(original)});
    }
    std::error_code error;
    std::filesystem::create_hard_link(QFileInfo(path).filesystemFilePath(), QFileInfo(original).filesystemFilePath(),
                                      error);
    if (error)
        copyDurably(path, original);
    store::syncFolderOf(original);
    return true;
}

} // namespace

Conversion convertInPlace(const QString &path, const ProgressFn &progress, const ImportOptions &options)
{
    if (!isJetFile(path))
        throw ImportError(ImportError::Kind::NotAJetFile, {shown(path)});
    const QString original = path + QStringLiteral(".jet");

    StagedFile staged(path, storePermissions(path));
    Conversion conversion{original, writeStoreFromJet(path, staged.path(), progress, options)};

    const bool createdOriginal = keepOriginal(path, original);
    try {
        staged.publish(true);
    } catch (const ImportError &) {
        if (createdOriginal)
            QFile::remove(original); // path still holds the original
        throw;
    }
    return conversion;
}

} // namespace jet
