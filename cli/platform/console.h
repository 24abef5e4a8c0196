#pragma once

#include <optional>

namespace cli {

// Sets the standard streams up for what zelvik-cli writes: UTF-8 text, and exactly the bytes written
// (an export's CR LF line ends stay CR LF). Nothing to do on POSIX; on Windows the streams leave text
// mode, which would turn every LF into CR LF, and the console shows UTF-8. For the program's start.
void prepareStandardStreams();

// The number of the first command-line argument that is no text the program can read, if any. On
// POSIX the arguments are bytes and must be UTF-8; Windows hands them over as UTF-16 (which
// QCoreApplication reads), so there every one is text, whatever the code page argv's copies are in.
std::optional<int> unreadableArgumentAt(int argc, char **argv);

} // namespace cli
