#pragma once

#include <QRect>
#include <QSize>

#include <functional>

class QWidget;

namespace pages {

// Where a window's frame goes in an area: no larger than the area unless the window's minimum
// forbids it, centred, and never beginning above or left of the area.
QRect frameWithin(QSize frame, QSize minimumFrame, QRect area);

// The one way the program places its top-level windows: the main window, message boxes, dialogs.

// Places a top-level window by its frame within the area `area()` gives, sizing it down to fit if
// need be. A window manager puts the frame around the window only after it is shown, so the
// window is placed again, once, as soon as the frame turns out other than assumed.
void placeWindow(QWidget *window, const std::function<QRect()> &area);

// The same within the available part of the window's own screen (taskbars left out); nothing
// without a screen.
void placeOnScreen(QWidget *window);

} // namespace pages
