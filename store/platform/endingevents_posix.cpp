#include "store/platform/endingevents.h"

#include <QFile>

#include <cerrno>
#include <csignal>
#include <cstring>

#include <unistd.h>

namespace store {

namespace {

constexpr std::array<int, 6> kEndingSignals = {SIGHUP, SIGINT, SIGQUIT, SIGTERM, SIGPIPE, SIGXFSZ};

void (*g_cleanup)() = nullptr;

void cleanUpAndEnd(int signal)
{
    g_cleanup();
    // The signal's own ending (its exit status, a core for SIGQUIT), once the handler returns.
    struct sigaction original {};
    original.sa_handler = SIG_DFL;
    sigemptyset(&original.sa_mask);
    ::sigaction(signal, &original, nullptr);
    ::raise(signal);
}

} // namespace

bool RemovableName::assign(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    if (std::size_t(name.size()) >= m_bytes.size())
        return false;
    std::memcpy(m_bytes.data(), name.constData(), std::size_t(name.size()) + 1);
    return true;
}

bool RemovableName::remove() const
{
    return ::unlink(m_bytes.data()) == 0 || errno == ENOENT;
}

void callBeforeEnding(void (*cleanup)())
{
    g_cleanup = cleanup;
    for (const int signal : kEndingSignals) {
        struct sigaction previous {};
        if (::sigaction(signal, nullptr, &previous) != 0 || previous.sa_handler != SIG_DFL)
            continue;
        struct sigaction handler {};
        handler.sa_handler = cleanUpAndEnd;
        sigemptyset(&handler.sa_mask);
        ::sigaction(signal, &handler, nullptr);
    }
}

} // namespace store
