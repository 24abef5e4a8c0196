#pragma once

#include <QDeadlineTimer>

#include <functional>

namespace store {

// What a wait on the server's socket waits for.
enum class SocketReady {
    Read,        // an answer has arrived
    Write,       // a request (or the start of a connection) may be sent on
    ReadOrWrite, // either: a request still being sent while the server may already answer
};

// Waits until the socket is ready or the deadline passes; true when it is ready. Every wait of the
// store for a server goes through here, so how the time is spent is the program's to choose: by
// default the thread sleeps; a program with a window installs a wait that keeps its event loop
// running meanwhile (setServerWait, waitRunningEvents).
bool waitForServer(int socket, SocketReady ready, const QDeadlineTimer &deadline);

using ServerWait = std::function<bool(int socket, SocketReady ready, const QDeadlineTimer &deadline)>;
// Replaces how waitForServer waits; an empty one puts the default back.
void setServerWait(ServerWait wait);

// The default: the thread sleeps until the socket is ready or the deadline passes.
bool waitSleeping(int socket, SocketReady ready, const QDeadlineTimer &deadline);
// Runs the thread's event loop until the socket is ready or the deadline passes: timers fire and
// windows paint meanwhile. Whatever would start another statement on the same connection must be
// held off by the caller while it runs.
bool waitRunningEvents(int socket, SocketReady ready, const QDeadlineTimer &deadline);

} // namespace store
