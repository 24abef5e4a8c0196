#include "pages/platform/superuser.h"

#include <unistd.h>

namespace pages {

bool runsAsSuperuser()
{
    return geteuid() == 0;
}

} // namespace pages
