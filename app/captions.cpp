#include "app/captions.h"

namespace app {

QString windowCaption(const QString &region)
{
    return QStringLiteral("Zelvik - телефонный справочник (") + region + QLatin1Char(')');
}

QString headingText(const QString &region)
{
    return QStringLiteral("Телефонный справочник - ") + region;
}

} // namespace app
