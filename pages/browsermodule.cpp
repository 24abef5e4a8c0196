#include "pages/browsermodule.h"

#include "pages/browserenvironment.h"
#include "pages/browserview.h"

#include "installdirs.h"

#include <QCoreApplication>
#include <QPluginLoader>

namespace pages {

QString defaultBrowserModulePath()
{
    return installdirs::locate(QCoreApplication::applicationDirPath(), QString::fromUtf8(installdirs::kBrowserModule),
                               installdirs::kModuleDir);
}

BrowserModule *loadBrowserModule(const QString &path, QString *error)
{
    QString problem;
    BrowserModule *module = nullptr;
    if (!QCoreApplication::testAttribute(Qt::AA_ShareOpenGLContexts)) {
        problem = QStringLiteral("Qt::AA_ShareOpenGLContexts was not set before the application started");
    } else {
        prepareBrowserEnvironment();
        // The loader may go: the library stays loaded and its root instance is shared by later loaders.
        QPluginLoader loader(path);
        module = qobject_cast<BrowserModule *>(loader.instance());
        if (!module)
            problem = loader.isLoaded() ? QStringLiteral("%1 is not a browser module").arg(loader.fileName())
                                        : loader.errorString();
    }
    if (error)
        *error = problem;
    return module;
}

} // namespace pages
