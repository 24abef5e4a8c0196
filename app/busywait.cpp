#include "app/busywait.h"

#include <QApplication>
#include <QMenuBar>
#include <QScopeGuard>
#include <QWidget>

#include <chrono>

namespace app {

namespace {

// Long enough for nearly every answer, too short to be seen.
constexpr std::chrono::milliseconds kMoment{20};

bool isUserInput(QEvent::Type type)
{
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::Drop:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
        return true;
    default:
        return false;
    }
}

} // namespace

BusyWait::BusyWait(QWidget *window) : QObject(window), m_window(window)
{
    store::setServerWait([this](int socket, store::SocketReady ready, const QDeadlineTimer &deadline) {
        return wait(socket, ready, deadline);
    });
}

BusyWait::~BusyWait()
{
    store::setServerWait({});
}

bool BusyWait::wait(int socket, store::SocketReady ready, const QDeadlineTimer &deadline)
{
    const QDeadlineTimer moment(kMoment);
    if (store::waitSleeping(socket, ready, deadline.deadlineNSecs() < moment.deadlineNSecs() ? deadline : moment))
        return true;
    if (deadline.hasExpired())
        return false;
    if (m_depth++ == 0) {
        QApplication::setOverrideCursor(Qt::BusyCursor);
        qApp->installEventFilter(this);
    }
    const auto done = qScopeGuard([this] {
        if (--m_depth == 0) {
            qApp->removeEventFilter(this);
            QApplication::restoreOverrideCursor();
        }
    });
    return store::waitRunningEvents(socket, ready, deadline);
}

bool BusyWait::eventFilter(QObject *watched, QEvent *event)
{
    // The menus stay open to the user: their own windows are others than this one, and the menu bar
    // is let through; what they start that would reach the store waits for the statement (see busy()).
    auto *widget = qobject_cast<QWidget *>(watched);
    if (!widget || !isUserInput(event->type()) || widget->window() != m_window)
        return false;
    for (QWidget *w = widget; w && w != m_window; w = w->parentWidget())
        if (qobject_cast<QMenuBar *>(w))
            return false;
    return true;
}

} // namespace app
