#pragma once

#include "lookup/genderset.h"

#include <QString>

namespace store {
class QueryChannel;
}

namespace lookup {

class RandomSource;

// The gender of the entries a name search invents: a given name the reference table of male names
// holds is a man's, any other given name a woman's; without one, the surname's ending tells.
GenderSet genderForName(store::QueryChannel &channel, const QString &givenName, const QString &surname);

// A new phone number's subscriber is a man or a woman by one draw of the search's random source.
GenderSet genderAtRandom(RandomSource &random);

} // namespace lookup
