#include "app/userdatafolder.h"

#include <QStandardPaths>

namespace app {

QString userDataFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/zelvik");
}

QString userDataFolderInWords()
{
    return QStringLiteral("$XDG_DATA_HOME/zelvik (by default ~/.local/share/zelvik)");
}

} // namespace app
