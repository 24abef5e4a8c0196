#include "cli/output.h"

namespace cli {

void catchOutputFailures()
{
    // Nothing to set up: Windows sends no signal for a closed pipe, the write fails by itself, and a
    // standard output that is not there fails every write, which is reported as one.
}

} // namespace cli
