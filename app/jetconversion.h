#pragma once

#include <QString>

class QWidget;

namespace app {

// A directory still in the old Jet format is carried over into the program's own store before
// anything connects to it, with a progress dialog and a closing note to the user. A failed
// conversion leaves the file as it was and says why; the store then reports it on first use.
void convertJetDirectoryIfNeeded(QWidget *parent, const QString &path);

} // namespace app
