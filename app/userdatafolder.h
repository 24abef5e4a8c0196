#pragma once

#include <QString>

namespace app {

// The folder the program keeps its data in when started from the menu (with --user-data):
// $XDG_DATA_HOME/zelvik on POSIX, %APPDATA%\Zelvik on Windows (platform/userdatalocation_*.cpp).
QString userDataFolder();
// The same folder as the help names it, by the system's variable.
QString userDataFolderInWords();

// Makes the user's data folder the current one. On first use (neither data file nor conf.cfg there)
// it is made as zelvik-cli init makes one. While it has no conf.cfg, the user is told where it is and asked for
// the region, which goes into conf.cfg as zelvik-cli init --region writes it. False when the folder
// cannot be made or entered; the user has been told why.
bool enterUserDataFolder();

} // namespace app
