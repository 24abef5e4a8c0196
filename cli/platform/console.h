#pragma once

namespace cli {

// Sets the standard streams up for what zelvik-cli writes: UTF-8 text, and exactly the bytes written
// (an export's CR LF line ends stay CR LF). Nothing to do on POSIX; on Windows the streams leave text
// mode, which would turn every LF into CR LF, and the console shows UTF-8. For the program's start.
void prepareStandardStreams();

} // namespace cli
