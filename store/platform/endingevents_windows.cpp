#include "store/platform/endingevents.h"

#include "store/platform/windowserror.h"

#include <cstring>

#include <windows.h>

namespace store {

namespace {

void (*g_cleanup)() = nullptr;

// Runs in a thread of its own while the program goes on. A file SQLite still holds open cannot be
// removed from here; it stays, and the next writer of the same target removes it as a dead writer's.
BOOL WINAPI cleanUpAndEnd(DWORD event)
{
    switch (event) {
    case CTRL_C_EVENT:
    case CTRL_BREAK_EVENT:
    case CTRL_CLOSE_EVENT:
    case CTRL_LOGOFF_EVENT:
    case CTRL_SHUTDOWN_EVENT:
        g_cleanup();
        break;
    default:
        break;
    }
    return FALSE; // the next handler, in the end the system's, ends the process as it would have
}

} // namespace

bool RemovableName::assign(const QString &path)
{
    const std::wstring name = nativePath(path);
    const std::size_t bytes = (name.size() + 1) * sizeof(wchar_t);
    if (bytes > m_bytes.size())
        return false;
    std::memcpy(m_bytes.data(), name.c_str(), bytes);
    return true;
}

bool RemovableName::remove() const
{
    const auto *name = reinterpret_cast<const wchar_t *>(m_bytes.data());
    if (DeleteFileW(name))
        return true;
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

void callBeforeEnding(void (*cleanup)())
{
    g_cleanup = cleanup;
    SetConsoleCtrlHandler(cleanUpAndEnd, TRUE);
}

} // namespace store
