#include "bench/paintwaiter.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

namespace bench {

namespace {

// Passes of the event loop that may go by without the awaited paint before giving up.
constexpr int kPassesAllowed = 10'000;

} // namespace

PaintWaiter::PaintWaiter(QWidget *widget)
    : QObject(widget)
{
    widget->installEventFilter(this);
}

bool PaintWaiter::eventFilter(QObject *, QEvent *event)
{
    if (event->type() == QEvent::Paint) {
        ++m_paints;
        ++m_total;
    }
    return false;
}

bool PaintWaiter::waitUntilPainted(const std::function<bool()> &ready)
{
    for (int pass = 0; pass < kPassesAllowed; ++pass) {
        if (ready && !ready()) {
            m_paints = 0; // a paint before the change is complete does not count
        } else if (m_paints > 0) {
            m_paints = 0;
            return true;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
    return false;
}

} // namespace bench
