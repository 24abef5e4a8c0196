// Program entry: the command line, then the four windows in their fixed order, then the event loop
// until the main window closes.
#include "app/commandline.h"
#include "app/errorhandler.h"
#include "app/mainwindow.h"
#include "app/userdatafolder.h"
#include "pages/aboutwindow.h"
#include "pages/helpwindow.h"
#include "pages/updatewindow.h"

#include <QApplication>
#include <QIcon>

#if defined(__SANITIZE_ADDRESS__)
// Chromium, loaded with the browser module, frees some objects through a base of another size;
// that one check would stop a sanitizer build as soon as a browser window opens.
extern "C" const char *__asan_default_options()
{
    return "new_delete_type_mismatch=0";
}
#endif

int main(int argc, char *argv[])
{
    if (app::asksOnlyForText(argc, argv)) {
        const QCoreApplication application(argc, argv);
        app::readCommandLine(application); // prints and ends the process
    }
    // The browser module loaded by the update and help windows shares OpenGL contexts; Qt accepts
    // this only before the application object exists.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication application(argc, argv);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/zelvik.png")));
    // Without the option the program works in the current folder, as it always has.
    if (app::readCommandLine(application).userData && !app::enterUserDataFolder())
        return 1;

    app::MainWindow mainWindow;
    auto *about = new pages::AboutWindow(&mainWindow);
    auto *update = new pages::UpdateWindow(&mainWindow);
    auto *help = new pages::HelpWindow(&mainWindow);
    update->setErrorSink(&app::reportError);
    help->setErrorSink(&app::reportError);
    mainWindow.setModalWindows(about, update, help);

    mainWindow.show();
    return application.exec();
}
