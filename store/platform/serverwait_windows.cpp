#include "store/serverwait.h"

#include <winsock2.h>

#include <algorithm>

namespace store {

bool waitSleeping(int socket, SocketReady ready, const QDeadlineTimer &deadline)
{
    // libpq hands out its SOCKET as an int.
    short events = 0;
    if (ready != SocketReady::Write)
        events |= POLLRDNORM;
    if (ready != SocketReady::Read)
        events |= POLLWRNORM;
    for (;;) {
        WSAPOLLFD probe{static_cast<SOCKET>(socket), events, 0};
        const qint64 left = deadline.remainingTime(); // -1 for ever
        const int found = WSAPoll(&probe, 1, left < 0 ? -1 : int(std::min<qint64>(left, 1 << 30)));
        if (found > 0)
            return true; // ready, or an error the next libpq call reports
        if (found == 0 && deadline.hasExpired())
            return false;
        if (found < 0 && WSAGetLastError() != WSAEINTR)
            return true;
    }
}

} // namespace store
