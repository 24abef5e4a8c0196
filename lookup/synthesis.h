#pragma once

#include "lookup/directoryentry.h"
#include "lookup/genderset.h"

#include <QString>
#include <cstdint>

namespace store {
class QueryChannel;
}

namespace lookup {

class RandomSource;
struct SearchValues;

// What a lookup fixes before an entry is invented; everything else comes from the search fields
// or from random picks.
struct EntryRecipe {
    QString surname;
    GenderSet gender;
    QString givenName;  // typed (capitalised) or empty to pick one
    QString patronymic; // typed (capitalised) or empty to pick one
    std::uint32_t flatRange = 0;
};

// The pieces both lookups invent entries from. Every pick is one run on the channel, so the grid
// holds the last pick's row until the lookup runs its final statement.
class EntrySynthesis {
public:
    EntrySynthesis(store::QueryChannel &channel, RandomSource &random, const SearchValues &search);

    QString pickSurname();
    QString pickGivenName(const GenderSet &set);
    QString pickPatronymic(const GenderSet &set);
    QString pickStreet();
    std::int32_t house();
    std::int32_t flat(std::uint32_t range);
    QString generatePhone();

    // Every field but the phone, which the caller hands in or generates; draws in the order given
    // name, patronymic, street, house, flat.
    DirectoryEntry assemble(const EntryRecipe &recipe);
    // Returns the id the entry was stored under.
    qint64 insert(const DirectoryEntry &entry);

private:
    QString pick(const QString &statement, const QString &column);
    QChar nonZeroDigit();
    QChar anyDigit();

    store::QueryChannel &m_channel;
    RandomSource &m_random;
    const SearchValues &m_search;
};

} // namespace lookup
