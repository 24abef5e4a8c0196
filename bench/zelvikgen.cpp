// zelvik-gen N DIR [--seed S]: a directory folder with N generated entries, for the benchmarks.
#include "bench/directorygenerator.h"


#include <QElapsedTimer>
#include <QString>

#include <cstdio>
#include <exception>

namespace {

int usage()
{
    std::fputs("usage: zelvik-gen N DIR [--seed S]\n"
               "  writes DIR/history.dat (the program's schema and reference tables plus N entries)\n"
               "  and an empty DIR/db.dat\n",
               stderr);
    return 2;
}

bool parseCount(const char *text, std::uint64_t &out)
{
    bool ok = false;
    out = QString::fromLocal8Bit(text).toULongLong(&ok);
    return ok;
}

} // namespace

int main(int argc, char *argv[])
{
    bench::GenerationOptions options;
    QString folder;
    int positional = 0;
    for (int i = 1; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        if (arg == QLatin1String("--seed")) {
            if (++i == argc || !parseCount(argv[i], options.seed))
                return usage();
        } else if (positional == 0 && parseCount(argv[i], options.rows)) {
            ++positional;
        } else if (positional == 1) {
            folder = arg;
            ++positional;
        } else {
            return usage();
        }
    }
    if (positional != 2)
        return usage();

    QElapsedTimer clock;
    clock.start();
    options.progress = [&clock](std::uint64_t rows) {
        std::fprintf(stderr, "zelvik-gen: %llu rows, %.1f s\n", static_cast<unsigned long long>(rows),
                     double(clock.elapsed()) / 1000);
    };
    try {
        bench::generateDirectory(folder, options);
    } catch (const std::exception &e) {
        // The store's errors as well: for a benchmark their diagnostic form will do.
        std::fprintf(stderr, "zelvik-gen: %s\n", e.what());
        return 1;
    }
    std::fprintf(stderr, "zelvik-gen: %llu entries in %s in %.1f s\n", static_cast<unsigned long long>(options.rows),
                 qPrintable(folder), double(clock.elapsed()) / 1000);
    return 0;
}
