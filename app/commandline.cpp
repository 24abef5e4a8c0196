#include "app/commandline.h"

#include "app/userdatafolder.h"

#include "zelvik_version.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstring>

namespace app {

namespace {

const char *const kTextOnly[] = {"-h", "--help", "--help-all", "-v", "--version"};

} // namespace

bool asksOnlyForText(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i)
        for (const char *option : kTextOnly)
            if (std::strcmp(argv[i], option) == 0)
                return true;
    return false;
}

StartOptions readCommandLine(const QCoreApplication &application)
{
    QCoreApplication::setApplicationVersion(QStringLiteral(ZELVIK_VERSION));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Telephone directory. Works in the current folder, which must hold history.dat and db.dat "
        "(conf.cfg is optional); zelvik-cli init makes such a folder."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption userData(
        QStringLiteral("user-data"),
        QStringLiteral("Work in the user's data folder, %1, which is made with the sample reference data on "
                       "first start. The menu entry starts the program this way.")
            .arg(userDataFolderInWords()));
    parser.addOption(userData);
    parser.process(application);
    return {parser.isSet(userData)};
}

} // namespace app
