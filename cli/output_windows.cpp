#include "cli/output.h"

namespace cli {

// Windows raises no signal for a write to a closed pipe, and a missing standard output makes every
// write fail: each failure reaches the output as it is, with nothing to prepare.
void catchOutputFailures()
{
}

} // namespace cli
