#include "store/platform/socketprobe.h"

#include <poll.h>
#include <sys/socket.h>

namespace store {

bool peerHasClosed(int socket)
{
    pollfd probe{socket, POLLIN | POLLRDHUP, 0};
    if (poll(&probe, 1, 0) <= 0)
        return false;
    if (probe.revents & (POLLHUP | POLLRDHUP | POLLERR | POLLNVAL))
        return true;
    char byte = 0;
    return recv(socket, &byte, 1, MSG_PEEK | MSG_DONTWAIT) == 0;
}

} // namespace store
