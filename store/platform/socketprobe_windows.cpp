#include "store/platform/socketprobe.h"

#include <winsock2.h>

namespace store {

bool peerHasClosed(int socket)
{
    // libpq hands out its SOCKET as an int; it keeps the socket non-blocking, so the peek cannot wait.
    const auto handle = static_cast<SOCKET>(socket);
    WSAPOLLFD probe{handle, POLLRDNORM, 0};
    if (WSAPoll(&probe, 1, 0) <= 0)
        return false;
    if (probe.revents & (POLLHUP | POLLERR | POLLNVAL))
        return true;
    char byte = 0;
    return recv(handle, &byte, 1, MSG_PEEK) == 0;
}

} // namespace store
