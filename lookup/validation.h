#pragma once

#include "lookup/search.h"
#include "lookup/verdict.h"

namespace lookup {

// Runs every check in the window's order; none stops the others.
Verdict validate(const SearchFields &fields);

} // namespace lookup
