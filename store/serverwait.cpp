#include "store/serverwait.h"

#include <QEventLoop>
#include <QSocketNotifier>
#include <QTimer>

#include <optional>

namespace store {

namespace {

ServerWait &installedWait()
{
    static ServerWait wait;
    return wait;
}

} // namespace

bool waitForServer(int socket, SocketReady ready, const QDeadlineTimer &deadline)
{
    const ServerWait &wait = installedWait();
    return wait ? wait(socket, ready, deadline) : waitSleeping(socket, ready, deadline);
}

void setServerWait(ServerWait wait)
{
    installedWait() = std::move(wait);
}

bool waitRunningEvents(int socket, SocketReady ready, const QDeadlineTimer &deadline)
{
    QEventLoop loop;
    bool isReady = false;
    const auto onReady = [&] {
        isReady = true;
        loop.quit();
    };
    std::optional<QSocketNotifier> reading, writing;
    if (ready != SocketReady::Write) {
        reading.emplace(qintptr(socket), QSocketNotifier::Read);
        QObject::connect(&*reading, &QSocketNotifier::activated, &loop, onReady);
    }
    if (ready != SocketReady::Read) {
        writing.emplace(qintptr(socket), QSocketNotifier::Write);
        QObject::connect(&*writing, &QSocketNotifier::activated, &loop, onReady);
    }
    QTimer expiry;
    expiry.setSingleShot(true);
    expiry.setTimerType(Qt::PreciseTimer);
    QObject::connect(&expiry, &QTimer::timeout, &loop, &QEventLoop::quit);
    if (!deadline.isForever())
        expiry.start(std::max<qint64>(deadline.remainingTime(), 0));
    loop.exec();
    // A socket that got ready as the time ran out still counts.
    return isReady || waitSleeping(socket, ready, QDeadlineTimer(0));
}

} // namespace store
