#pragma once

#include <QString>

namespace store {
class QueryChannel;
}

namespace lookup {

class RandomSource;
struct SearchValues;

// Entries with exactly the typed phone; on a miss, one invented subscriber when the number fits the
// numbering scheme. Returns the message-panel text: "Абонент найден.", a refusal, or empty for a
// newly invented subscriber.
QString lookupByPhone(store::QueryChannel &channel, RandomSource &random, const SearchValues &search);

} // namespace lookup
