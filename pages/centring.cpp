#include "centring.h"

#include <QScreen>
#include <QWidget>

namespace pages {

void centreIn(QWidget *window, const QRect &area)
{
    QRect frame = window->frameGeometry();
    frame.moveCenter(area.center());
    window->move(frame.topLeft());
}

void centreOnScreen(QWidget *window)
{
    if (const QScreen *screen = window->screen())
        centreIn(window, screen->availableGeometry());
}

} // namespace pages
