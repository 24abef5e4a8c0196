#pragma once

#include <QString>

namespace store {
class QueryChannel;
}

namespace lookup {

class RandomSource;
struct SearchValues;

// Entries with the typed surname (narrowed by given name, patronymic, house and flat); on a miss,
// zero to four invented ones. Returns the message-panel text, "Найдено: " and the count.
QString lookupByName(store::QueryChannel &channel, RandomSource &random, const SearchValues &search);

} // namespace lookup
