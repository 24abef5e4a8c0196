#include "app/userdatafolder.h"

#include <QDir>

#include <shlobj.h>
#include <windows.h>

namespace app {

QString userDataFolder()
{
    // %APPDATA%, the user's roaming application data, as the system knows it; the variable only when
    // the system cannot say.
    QString folder;
    wchar_t *known = nullptr;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_RoamingAppData, KF_FLAG_DEFAULT, nullptr, &known)))
        folder = QString::fromWCharArray(known);
    CoTaskMemFree(known);
    if (folder.isEmpty())
        folder = qEnvironmentVariable("APPDATA");
    return QDir::fromNativeSeparators(folder) + QStringLiteral("/Zelvik");
}

QString userDataFolderInWords()
{
    return QStringLiteral("%APPDATA%\\Zelvik");
}

} // namespace app
