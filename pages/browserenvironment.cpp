#include "pages/browserenvironment.h"

#include "pages/platform/superuser.h"

#include <QByteArrayList>
#include <QGuiApplication>

namespace pages {

namespace {

void addChromiumFlags(const QByteArrayList &wanted)
{
    const QByteArray name = "QTWEBENGINE_CHROMIUM_FLAGS";
    QByteArrayList flags = qgetenv(name).simplified().split(' ');
    flags.removeAll(QByteArray());
    for (const QByteArray &flag : wanted) {
        if (!flags.contains(flag))
            flags.append(flag);
    }
    qputenv(name, flags.join(' '));
}

} // namespace

void prepareBrowserEnvironment()
{
    if (runsAsSuperuser() && !qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");

    // The engine's own pages (an unreachable server above all) speak the program's language.
    QByteArrayList flags{"--disable-background-networking", "--disable-component-update", "--lang=ru"};
    if (QGuiApplication::platformName() == QLatin1String("offscreen"))
        flags.append("--disable-gpu");
    addChromiumFlags(flags);
}

} // namespace pages
