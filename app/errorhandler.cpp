#include "app/errorhandler.h"

#include "app/messagebox.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace app {

QString applicationTitle(const QString &executableFileName)
{
    const QString name = executableFileName.section(QLatin1Char('.'), 0, 0);
    return name.left(1) + name.mid(1).toLower();
}

QString applicationTitle()
{
    return applicationTitle(QFileInfo(QCoreApplication::applicationFilePath()).fileName());
}

QString withFullStop(const QString &text)
{
    if (!text.isEmpty() && text.back() > QLatin1Char('.'))
        return text + QLatin1Char('.');
    return text;
}

void reportError(const QString &text)
{
    MessageBoxes::failure(applicationTitle(), withFullStop(text));
}

} // namespace app
