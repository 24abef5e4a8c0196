#pragma once

class QCoreApplication;

namespace app {

struct StartOptions {
    // Work in the user's data folder instead of the current one.
    bool userData = false;
};

// Whether the command line asks for --help or --version, which are answered without a window
// system, so that they work in a plain terminal (and for the manual page made at build time).
bool asksOnlyForText(int argc, char **argv);

// Reads the running application's command line. Help, the version and a wrong option are printed
// and end the process.
StartOptions readCommandLine(const QCoreApplication &application);

} // namespace app
