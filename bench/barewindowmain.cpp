// zelvik-bare-window: the floor of the start-up measurement, a bare QMainWindow with the main
// window's widgets and nothing else.
#include "bench/barewindow.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    bench::BareWindow window;
    window.show();
    return application.exec();
}
