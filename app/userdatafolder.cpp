#include "app/userdatafolder.h"

#include "store/provisioning/datafoldercreation.h"
#include "messages/errortext.h"
#include "app/messagebox.h"
#include "app/regionquestion.h"
#include "config/conffile.h"
#include "store/provisioning/datafilechecks.h"

#include <QDir>
#include <QFileInfo>

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

// Until the folder names its region the captions have none; the user is asked at every start until
// there is an answer.
void askForRegion(const QString &shownFolder, bool madeNow)
{
    const QString where = madeNow
        ? QStringLiteral("Создана папка данных %1 с образцом справочника. Программа работает с ней.")
        : QStringLiteral("Программа работает с папкой данных %1, но регион справочника для неё ещё не указан.");
    const std::optional<QString> region = RegionQuestion::ask(
        where.arg(shownFolder) + QStringLiteral("\n\nРегион справочника (он будет в заголовке окна):"));
    if (!region)
        return;
    config::ConfFile conf;
    conf.region = *region;
    const store::DataFolderCreation made = store::createConfFile(QDir::currentPath(), conf);
    if (made.outcome == store::DataFolderCreation::Outcome::Failed)
        MessageBoxes::error(nullptr, messages::errorText(*made.failure));
}

} // namespace

bool enterUserDataFolder()
{
    const QString folder = userDataFolder();
    const QString shown = QDir::toNativeSeparators(folder);
    const QDir dir(folder);
    // A folder that holds either data file or a conf.cfg is already the user's (one an administrator
    // gave a server's conf.cfg most of all, where a history.dat would be of no use): the usual start-up
    // check reports whatever is missing from it.
    const bool firstUse = !QFileInfo::exists(dir.filePath(QStringLiteral("history.dat")))
        && !QFileInfo::exists(dir.filePath(QStringLiteral("db.dat")))
        && !QFileInfo::exists(dir.filePath(QStringLiteral("conf.cfg")))
        && !QFileInfo(dir.filePath(QStringLiteral("conf.cfg"))).isSymLink();
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
    // A folder that has conf.cfg is the user's as it is; one that lacks a data file is left to the
    // usual check.
    const QString conf = QStringLiteral("conf.cfg");
    if (!QFileInfo::exists(conf) && !QFileInfo(conf).isSymLink() && store::dataFileExists(QStringLiteral("db.dat"))
        && store::dataFileExists(QStringLiteral("history.dat")))
        askForRegion(shown, firstUse);
    return true;
}

} // namespace app
