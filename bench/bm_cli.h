#pragma once

namespace bench {

// `zelvik-cli find` as a whole process (start, answer, exit) against a program that does the same
// lookup with QtCore and raw SQLite alone, and one with SQLite alone. Registered at run time with
// as many runs as the start-up pair.
void registerCliBenchmarks(int runs);

} // namespace bench
