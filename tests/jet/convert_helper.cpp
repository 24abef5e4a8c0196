// jet_convert_helper PATH READER: the window's in-place conversion as a process of its own, so a
// test can kill it mid-way.

#include "jet/importerror.h"
#include "jet/inplaceconversion.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 3)
        return 64;
    jet::ImportOptions options;
    options.readerProgram = QString::fromLocal8Bit(argv[2]);
    try {
        jet::convertInPlace(QString::fromLocal8Bit(argv[1]), {}, options);
    } catch (const jet::ImportError &error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 2;
    }
    return 0;
}
