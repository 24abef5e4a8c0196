#pragma once

namespace bench {

// Start-up of the real program against the bare window, each run a fresh process, plus the
// program's resident memory at idle and with the common surname's result shown. Registered at
// run time because the number of runs is a command-line choice.
void registerStartupBenchmarks(int runs);

} // namespace bench
