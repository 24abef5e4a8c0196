#include "store/serverwait.h"

#include <cerrno>

#include <poll.h>

namespace store {

bool waitSleeping(int socket, SocketReady ready, const QDeadlineTimer &deadline)
{
    short events = 0;
    if (ready != SocketReady::Write)
        events |= POLLIN;
    if (ready != SocketReady::Read)
        events |= POLLOUT;
    for (;;) {
        pollfd probe{socket, events, 0};
        const qint64 left = deadline.remainingTime(); // -1 for ever
        const int found = poll(&probe, 1, left < 0 ? -1 : int(std::min<qint64>(left, 1 << 30)));
        if (found > 0)
            return true; // ready, or an error the next libpq call reports
        if (found == 0 && deadline.hasExpired())
            return false;
        if (found < 0 && errno != EINTR)
            return true;
    }
}

} // namespace store
