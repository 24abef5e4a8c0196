#pragma once

#include <QFont>
#include <QString>

namespace pages {

// Window layouts give their fonts in pixels, not points, so that they do not grow with the screen's DPI.
QFont pixelFont(const QString &family, int pixels, bool bold = false);

} // namespace pages
