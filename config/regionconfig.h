#pragma once

#include <QString>

namespace app {

// What the first line of conf.cfg says about the region. A missing file (or a directory, pipe,
// socket or device of that name) is no error: the region is then simply empty.
struct RegionConfig {
    QString region;
    // Set when the file exists but cannot be opened or read; the region is meaningless then.
    QString error;
    bool failed() const { return !error.isEmpty(); }
};

// Reads the first line of the file: "bd=" (byte for byte) followed by the region name. The line
// ends at LF; a CR anywhere in it is dropped. The bytes are Windows-1251, unless they are valid
// UTF-8 holding something beyond ASCII (a 1251 Cyrillic name never is).
RegionConfig readRegionConfig(const QString &path = QStringLiteral("conf.cfg"));

// The texts the region goes into, and what they say before start-up has set them.
QString windowCaption(const QString &region);
QString headingText(const QString &region);
inline QString designWindowCaption() { return QStringLiteral("Zelvik"); }
inline QString designHeadingText() { return QStringLiteral("Телефонный справочник"); }

} // namespace app
