#pragma once

#include <QString>

#include <array>

namespace store {

// A file's name kept in fixed storage, in the form the system's own calls take, so that the file can
// be removed where nothing may be allocated: in a signal handler, or in the thread Windows runs a
// console's control handler in.
class RemovableName {
public:
    // False when the name does not fit the storage.
    bool assign(const QString &path);
    // True when the file is gone: removed now, or not there. Safe in a signal handler.
    bool remove() const;

private:
    alignas(8) std::array<char, 4096> m_bytes {};
};

// From now on the events that end the process first call cleanup, then end it as they would have:
// on POSIX the signals that end a process and can be caught (SIGHUP, SIGINT, SIGQUIT, SIGTERM,
// SIGPIPE, SIGXFSZ; one the process ignores, or already handles itself and so does not end by, is left
// as it is); on Windows the console's Ctrl+C,
// Ctrl+Break, closing, log-off and shut-down. For a program's start.
void callBeforeEnding(void (*cleanup)());

} // namespace store
