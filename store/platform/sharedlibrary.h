#pragma once

#include <QString>

namespace store {

// The server's client library, by the name the system loads it under: libpq.so.5 from the system's
// library path on POSIX; libpq.dll on Windows, which ships beside the program's executable.
extern const char kServerLibrary[];

// Loads a shared library by that kind of name; nullptr, with the system's reason, when it cannot.
// On Windows a bare name is looked for in the program's own folder only, never in the current
// folder or on the PATH, and the libraries it needs in turn (OpenSSL's) are looked for there too.
void *loadSharedLibrary(const char *name, QString *reason);

// The address of a function the library exports, or nullptr.
void *sharedLibrarySymbol(void *library, const char *name);

} // namespace store
