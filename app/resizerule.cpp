#include "app/resizerule.h"

#include <algorithm>

namespace app {

namespace {
constexpr QRect kDesignGrid{8, 48, 593, 505};
constexpr QRect kDesignGroup{616, 40, 225, 513};
} // namespace

MainWindowGeometry geometryForClientSize(QSize client)
{
    const int dW = client.width() - kDesignClientSize.width();
    const int dH = client.height() - kDesignClientSize.height();
    MainWindowGeometry g{kDesignGrid, kDesignGroup};
    g.grid.setSize({std::max(0, kDesignGrid.width() + dW), std::max(0, kDesignGrid.height() + dH)});
    g.group.moveLeft(kDesignGroup.left() + dW);
    g.group.setHeight(std::max(0, kDesignGroup.height() + dH));
    return g;
}

} // namespace app
