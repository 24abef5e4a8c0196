#pragma once

#include <QString>

#include <string>

#include <windows.h>

namespace store {

// The system's own sentence for an error code (GetLastError's), in the user's language, without the
// line break Windows ends it with; the code's number when the system has no sentence for it.
QString windowsErrorText(DWORD code);

// A path as Windows' own calls take it: absolute, with backslashes, NUL-terminated.
std::wstring nativePath(const QString &path);

} // namespace store
