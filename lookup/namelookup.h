#pragma once

#include "lookup/lookupresult.h"

namespace store {
class QueryChannel;
}

namespace lookup {

class RandomSource;
struct SearchValues;

// Entries with the typed surname (narrowed by given name, patronymic, house and flat); on a miss,
// zero to four invented ones, stored in one transaction that holds the surname from the miss on (the
// channel's claim), so that another search of it at the same moment finds them rather than
// inventing its own. Returns how many entries the grid shows; a login that may not add entries
// stores none and the lookup says so instead, unless the draw was zero.
LookupResult lookupByName(store::QueryChannel &channel, RandomSource &random, const SearchValues &search);

} // namespace lookup
