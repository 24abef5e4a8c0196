#pragma once

#include "store/serverwait.h"

#include <QObject>

class QWidget;

namespace app {

// How the program waits for the server while its window is open. An answer that comes at once holds
// nothing up; a longer wait keeps the event loop running (the window paints, timers fire, the menus
// open, and so do the windows they show) under a busy cursor, while the window's own clicks and keys
// are ignored: they could start another statement on the connection that is waiting (a second
// search, a grid edit). Installed as the store's server wait for as long as it lives.
class BusyWait : public QObject {
    Q_OBJECT
public:
    explicit BusyWait(QWidget *window);
    ~BusyWait() override;

    // A statement is waiting for the server: nothing may start another.
    bool busy() const { return m_depth > 0; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool wait(int socket, store::SocketReady ready, const QDeadlineTimer &deadline);

    QWidget *m_window;
    int m_depth = 0;
};

} // namespace app
