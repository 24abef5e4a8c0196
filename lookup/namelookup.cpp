#include "lookup/namelookup.h"

#include "text/cp1251.h"
#include "store/querychannel.h"
#include "lookup/genderchoice.h"
#include "lookup/randomsource.h"
#include "lookup/searchvalues.h"
#include "lookup/statements.h"
#include "lookup/synthesis.h"

namespace lookup {

namespace {

constexpr std::uint32_t kEntryChoices = 5; // zero to four invented entries
constexpr std::uint32_t kFlatRange = 217;

} // namespace

LookupResult lookupByName(store::QueryChannel &channel, RandomSource &random, const SearchValues &search)
{
    const QString givenName = cp1251::capitalised(search.givenName);
    const QString patronymic = cp1251::capitalised(search.patronymic);

    QString query = statements::surnameLookup(search.surname);
    if (!givenName.isEmpty())
        query += statements::nameClause(givenName);
    if (!patronymic.isEmpty())
        query += statements::patronymicClause(patronymic);
    // Two operators who search a new surname at once must not both invent entries for it: a miss
    // holds the surname until its entries are stored, all of them or, should the search fail, none.
    store::WriteTransaction invention(channel);
    channel.lookup(query + statements::houseFlatFilter(search.house, search.flat), search.surname);
    if (const int rows = channel.count(); rows > 0)
        return {LookupResult::Kind::Found, rows};

    const QString surname = cp1251::capitalised(search.surname);
    const EntryRecipe recipe{surname, genderForName(channel, givenName, surname), givenName, patronymic, kFlatRange};

    random.reseed();
    const std::uint32_t wanted = random.draw(kEntryChoices);
    // Checked before the first insert, so a login that may not add leaves nothing half-stored.
    if (wanted > 0 && !channel.entryRights().allows(store::EntryAction::Add)) {
        channel.run(statements::noEntries());
        return {LookupResult::Kind::AdditionRefused};
    }
    EntrySynthesis synthesis(channel, random, search);
    QList<qint64> stored;
    while (std::uint32_t(stored.size()) < wanted) {
        DirectoryEntry entry = synthesis.assemble(recipe);
        entry.phone = synthesis.generatePhone();
        stored << synthesis.insert(entry);
    }
    invention.commit();

    channel.run(stored.isEmpty() ? statements::noEntries() : statements::storedEntries(stored));
    return {LookupResult::Kind::Found, stored.size()};
}

} // namespace lookup
