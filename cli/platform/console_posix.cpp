#include "cli/platform/console.h"

namespace cli {

void prepareStandardStreams()
{
}

} // namespace cli
