#include "cli/output.h"

#include <cerrno>
#include <csignal>

#include <fcntl.h>
#include <unistd.h>

namespace cli {

namespace {

// A handler rather than SIG_IGN: a program this one starts (the Jet reader) gets the default back
// with exec, while here the write fails with EPIPE.
void ignoreBrokenPipe(int)
{
}

} // namespace

void catchOutputFailures()
{
    struct sigaction handler {};
    handler.sa_handler = ignoreBrokenPipe;
    sigemptyset(&handler.sa_mask);
    handler.sa_flags = SA_RESTART;
    ::sigaction(SIGPIPE, &handler, nullptr);
    // Read-only, so every write to it fails (EBADF) and is reported as one.
    if (::fcntl(STDOUT_FILENO, F_GETFD) == -1 && errno == EBADF) {
        const int held = ::open("/dev/null", O_RDONLY);
        if (held >= 0 && held != STDOUT_FILENO) {
            ::dup2(held, STDOUT_FILENO);
            ::close(held);
        }
    }
}

} // namespace cli
