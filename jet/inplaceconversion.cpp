#include "jet/inplaceconversion.h"

#include "messages/errortext.h"
#include "store/provisioning/stagedfile.h"
#include "jet/importerror.h"
#include "jet/jetsignature.h"
#include "jet/staging.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <filesystem>
#include <system_error>

#include <unistd.h>

namespace jet {

namespace {

QString shown(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

bool sameFile(const QString &a, const QString &b)
{
    std::error_code error;
    return std::filesystem::equivalent(QFile::encodeName(a).constData(), QFile::encodeName(b).constData(), error)
        && !error;
}

// A copy stands in for the hard link where the file system has none; it reaches the disk before
// the original's name goes to the new store.
void copyDurably(const QString &from, const QString &to)
{
    if (!QFile::copy(from, to))
        throw importError(QStringLiteral("не удаётся сохранить исходный файл как %1").arg(shown(to)));
    QFile copy(to);
    if (copy.open(QIODevice::ReadOnly))
        ::fsync(copy.handle());
}

// Gives the original its second name. True when this call created it, so that a failure later on
// can take back exactly that.
bool keepOriginal(const QString &path, const QString &original)
{
    if (QFileInfo::exists(original) || QFileInfo(original).isSymLink()) {
        // An earlier conversion stopped between linking and renaming: the name is already ours.
        if (sameFile(path, original))
            return false;
        throw importError(
            QStringLiteral("%1 уже существует, поэтому исходный файл нельзя сохранить под этим именем").arg(shown(original)));
    }
    std::error_code error;
    std::filesystem::create_hard_link(QFile::encodeName(path).constData(), QFile::encodeName(original).constData(),
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
        throw importError(QStringLiteral("%1 — не база данных Jet").arg(shown(path)));
    const QString original = path + QStringLiteral(".jet");

    StagedFile staged(path, storePermissions(path));
    Conversion conversion{original, writeStoreFromJet(path, staged.path(), progress, options)};

    const bool createdOriginal = keepOriginal(path, original);
    try {
        staged.publish(true);
    } catch (const store::StoreError &) {
        if (createdOriginal)
            QFile::remove(original); // path still holds the original
        throw;
    }
    return conversion;
}

QString conversionProgressText(const QString &path)
{
    return QStringLiteral("Преобразование базы данных %1 в новый формат...").arg(QFileInfo(path).fileName());
}

QString conversionDoneText(const QString &path, const Conversion &conversion)
{
    return QStringLiteral("База данных %1 преобразована в новый формат. Исходный файл сохранён как %2.")
        .arg(QFileInfo(path).fileName(), QFileInfo(conversion.original).fileName());
}

QString conversionFailedText(const QString &path, const store::StoreError &error)
{
    return QStringLiteral("Не удалось преобразовать базу данных %1 в новый формат: %2. Файл %1 не изменён.")
        .arg(QFileInfo(path).fileName(), messages::errorText(error));
}

} // namespace jet
