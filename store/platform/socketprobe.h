#pragma once

namespace store {

// Whether the other end of a connected socket (as libpq's PQsocket gives it) has closed it, asked
// without waiting and without taking anything from it.
bool peerHasClosed(int socket);

} // namespace store
