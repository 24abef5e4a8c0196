#pragma once

#include <QString>

namespace app {

// The texts the region from conf.cfg goes into, and what they say before start-up has set them.
QString windowCaption(const QString &region);
QString headingText(const QString &region);
inline QString designWindowCaption() { return QStringLiteral("Zelvik"); }
inline QString designHeadingText() { return QStringLiteral("Телефонный справочник"); }

} // namespace app
