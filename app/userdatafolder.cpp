#include "app/userdatafolder.h"

#include "store/provisioning/datafoldercreation.h"
#include "messages/errortext.h"
#include "app/messagebox.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace app {

namespace {

QString failureText(const store::DataFolderCreation &made)
{
    switch (made.outcome) {
    case store::DataFolderCreation::Outcome::FolderNotCreated:
        return QStringLiteral("папку нельзя создать");
    case store::DataFolderCreation::Outcome::FilesExist:
        return QStringLiteral("файлы уже есть: %1").arg(made.paths.join(QStringLiteral(", ")));
    default:
        return made.failure ? messages::errorText(*made.failure) : QString();
    }
}

} // namespace

QString userDataFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/zelvik");
}

bool enterUserDataFolder()
{
    const QString folder = userDataFolder();
    const QString shown = QDir::toNativeSeparators(folder);
    const QDir dir(folder);
    // A folder that holds either data file is already the user's; the usual start-up check reports
    // whatever is missing from it.
    const bool firstUse = !QFileInfo::exists(dir.filePath(QStringLiteral("history.dat")))
        && !QFileInfo::exists(dir.filePath(QStringLiteral("db.dat")));
    if (firstUse) {
        const store::DataFolderCreation made = store::createDataFolder(folder);
        if (made.outcome != store::DataFolderCreation::Outcome::Created) {
            MessageBoxes::error(nullptr, QStringLiteral("Не удалось создать папку данных %1: %2").arg(shown, failureText(made)));
            return false;
        }
    }
    if (!QDir::setCurrent(folder)) {
        MessageBoxes::error(nullptr, QStringLiteral("Не удалось открыть папку данных %1").arg(shown));
        return false;
    }
    if (firstUse)
        MessageBoxes::information(
            nullptr, QStringLiteral("Создана папка данных %1 с образцом справочника. Программа работает с ней.").arg(shown));
    return true;
}

} // namespace app
