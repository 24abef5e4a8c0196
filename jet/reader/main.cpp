// zelvik-jet-reader FILE: streams every user table of a Jet file as frames (see framing.h) on
// stdout. It runs as a child of the importer, which limits its time and output, because a damaged
// file can send libmdb into an endless loop.

#include "jet/reader/databasedump.h"
#include "jet/reader/framewriter.h"

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fputs("usage: zelvik-jet-reader FILE\n", stderr);
        return 2;
    }
    // libmdb prints some of its warnings to stdout. The frames get a descriptor of their own and
    // stdout is pointed at stderr, where the importer caps whatever arrives.
    const int frames = dup(STDOUT_FILENO);
    if (frames < 0 || dup2(STDERR_FILENO, STDOUT_FILENO) < 0) {
        std::perror("zelvik-jet-reader");
        return 2;
    }
    std::FILE *out = fdopen(frames, "wb");
    if (!out) {
        std::perror("zelvik-jet-reader");
        return 2;
    }
    static char buffer[1 << 16];
    std::setvbuf(out, buffer, _IOFBF, sizeof buffer);

    // Text leaves libmdb as UTF-8; Jet 3 files are taken to be in the program's code page.
    setenv("MDB_ICONV", "UTF-8", 1);
    setenv("MDB_JET3_CHARSET", "CP1251", 1);
    unsetenv("MDBOPTS"); // its debug switches print to stdout

    FrameWriter writer(out);
    const int status = dumpDatabase(argv[1], writer);
    return std::fclose(out) == 0 ? status : 1;
}
