#pragma once

#include <QString>

namespace jet {

// The file starts like a Jet (Access 97 to 2003) or ACE (Access 2007 and later) database. False
// for a file that cannot be read.
bool isJetFile(const QString &path);

} // namespace jet
