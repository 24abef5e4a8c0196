#pragma once

#include <QString>

namespace store {
class QueryChannel;
}

namespace lookup {

class RandomSource;
struct SearchValues;

// The message-panel text: "Абонент найден.", a refusal, or empty for a newly invented subscriber.
struct PhoneLookup {
    QString message;
    bool refused = false; // the number does not fit the numbering scheme
};

// Entries with exactly the typed phone; on a miss, one invented subscriber when the number fits the
// numbering scheme.
PhoneLookup lookupByPhone(store::QueryChannel &channel, RandomSource &random, const SearchValues &search);

} // namespace lookup
