#pragma once

#include <QRect>
#include <QSize>

namespace app {

// The main window was laid out for an outer size of 870 x 640 with the classic Windows frame
// (4-pixel sizing borders, a 19-pixel caption and a 19-pixel menu bar). Frames differ here, so the
// rule "grid = outer size - fixed margins" is applied to the client area below the menu bar
// instead: at this client size the controls stand exactly where they were designed.
inline constexpr QSize kDesignClientSize{862, 594};

// The smallest client area that still shows the whole search group with its two buttons (and a
// grid of no width).
inline constexpr QSize kMinimumClientSize{269, 434};

struct MainWindowGeometry {
    QRect grid;
    QRect group;
};

// Where the grid and the search group go for a client area (below the menu bar, status bar
// included) of the given size. The grid keeps its place and the group its width and top; neither
// ever gets a negative size.
MainWindowGeometry geometryForClientSize(QSize client);

} // namespace app
