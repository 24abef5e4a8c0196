#pragma once

#include <QString>

namespace bench {

// The Windows build in windowsBuild (scripts/windows's build-windows) run under wine on the same
// directory: zelvik-cli find as a whole process, and the real window's search, typed, in
// zelvik-window-search. For information beside the Linux build's: wine's own cost is not the
// program's to beat.
void registerWineBenchmarks(const QString &windowsBuild, int runs);

} // namespace bench
