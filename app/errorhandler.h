#pragma once

#include <QString>

namespace app {

// The program's title: the executable's file name up to its first full stop, the letters after
// the first one in lower case ("ZELVIK.EXE" -> "Zelvik").
QString applicationTitle(const QString &executableFileName);
// The title of this process, from its own executable.
QString applicationTitle();

// The text as the error box shows it: a full stop is added when the last character sorts after
// "." (a letter, a digit, a closing quote), so a message that already ends in one does not get two.
QString withFullStop(const QString &text);

// The application's default error handler: a failure that ended an action is shown in a box
// captioned with the program's title, and the program goes on.
void reportError(const QString &text);

} // namespace app
