#pragma once

namespace pages {

// Whether the program runs with the system's highest rights: as root on POSIX. Never on Windows, where
// the browser engine's sandbox works for an administrator too.
bool runsAsSuperuser();

} // namespace pages
