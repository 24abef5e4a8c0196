#pragma once

#include <QRect>

class QLabel;

namespace pages {

// Puts a window's heading at its designed place. The design measured the text in its own font; where
// that font is missing a wider stand-in would be clipped, so the label then grows evenly on both sides
// and stays centred where the design put it.
void placeHeading(QLabel *label, const QRect &designed);

} // namespace pages
