#include "pages/platform/superuser.h"

namespace pages {

bool runsAsSuperuser()
{
    return false;
}

} // namespace pages
