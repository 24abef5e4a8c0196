#include "app/userdatafolder.h"

#include "store/provisioning/datafoldercreation.h"
#include "messages/datafoldertext.h"
#include "messages/errortext.h"
#include "app/messagebox.h"
#include "app/regionquestion.h"
#include "config/conffile.h"
#include "store/provisioning/datafilechecks.h"

#include <QDir>
#include <QFileInfo>

namespace app {

namespace {

// Until the folder names its region the captions have none; the user is asked at every start until
// there is an answer.
void askForRegion(const QString &shownFolder, bool madeNow)
{
    const std::optional<QString> region = RegionQuestion::ask(messages::regionQuestionText(shownFolder, madeNow));
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
            MessageBoxes::error(nullptr, messages::dataFolderNotCreatedText(shown, made));
            return false;
        }
    }
    if (!QDir::setCurrent(folder)) {
        MessageBoxes::error(nullptr, messages::dataFolderNotOpenedText(shown));
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
