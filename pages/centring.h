#pragma once

class QRect;
class QWidget;

namespace pages {

// Moves a top-level window so that its frame, title bar included, stands in the middle of area.
void centreIn(QWidget *window, const QRect &area);

// The same in the available part of the window's own screen (taskbars left out); nothing without a screen.
void centreOnScreen(QWidget *window);

} // namespace pages
