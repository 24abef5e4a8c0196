#include "store/platform/sharedlibrary.h"

#include "store/platform/windowserror.h"

#include <QDir>

#include <string>

#include <windows.h>

namespace store {

extern const char kServerLibrary[] = "libpq.dll";

namespace {

// The folder of the running executable, with its final backslash.
std::wstring programFolder()
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()));
        if (length == 0)
            return {};
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    return path.substr(0, path.find_last_of(L'\\') + 1);
}

} // namespace

void *loadSharedLibrary(const char *name, QString *reason)
{
    const std::wstring file = programFolder() + QString::fromUtf8(name).toStdWString();
    // With a full path, altered search order makes the library's own dependencies come from its folder.
    HMODULE module = LoadLibraryExW(file.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    if (!module)
        *reason = QDir::toNativeSeparators(QString::fromStdWString(file)) + QStringLiteral(": ")
            + windowsErrorText(GetLastError());
    return reinterpret_cast<void *>(module);
}

void *sharedLibrarySymbol(void *library, const char *name)
{
    return reinterpret_cast<void *>(GetProcAddress(static_cast<HMODULE>(library), name));
}

} // namespace store
