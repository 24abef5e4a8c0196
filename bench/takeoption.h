#pragma once

namespace bench {

// The value of "NAME=VALUE" among the arguments, which is taken out of them so that Google
// Benchmark does not refuse it; nullptr when it is not there.
const char *takeOption(int &argc, char **argv, const char *name);

} // namespace bench
