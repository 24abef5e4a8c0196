#pragma once

#include "lookup/lookupresult.h"

namespace store {
class QueryChannel;
}

namespace lookup {

class RandomSource;
struct SearchValues;

// Entries with exactly the typed phone; on a miss, one invented subscriber when the number fits the
// numbering scheme, the number held from the miss on as lookupByName holds a surname. Returns whether
// the number was found, refused or its subscriber invented. A login that may not add entries stores none: a number the scheme refuses still gets its refusal,
// one it takes ends the lookup as refused.
LookupResult lookupByPhone(store::QueryChannel &channel, RandomSource &random, const SearchValues &search);

} // namespace lookup
