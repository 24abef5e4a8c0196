#include "lookup/search.h"

#include "lookup/namelookup.h"
#include "lookup/phonelookup.h"
#include "store/querychannel.h"
#include "lookup/searchvalues.h"
#include "lookup/validation.h"

namespace lookup {

SearchOutcome search(store::QueryChannel &channel, RandomSource &random, const SearchFields &fields)
{
    SearchOutcome outcome;
    try {
        // Before the panel is cleared: a connection that cannot open leaves the last message standing.
        channel.connect();
    } catch (const std::exception &) {
        outcome.failure = std::current_exception();
        return outcome;
    }

    outcome.verdict = validate(fields);
    outcome.red = outcome.verdict->red;
    outcome.rejected = !outcome.verdict->passed();
    if (outcome.rejected)
        return outcome;

    if (!channel.entryRights().allows(store::EntryAction::Read)) {
        outcome.readRefused = true;
        return outcome;
    }
    const SearchValues values = collect(fields);
    try {
        outcome.result = values.surname.isEmpty() ? lookupByPhone(channel, random, values)
                                                  : lookupByName(channel, random, values);
        outcome.phoneRefused = outcome.result->phoneRefused();
    } catch (const std::exception &) {
        // Not only the store's errors: whatever ends a search must not end the program with it.
        outcome.failure = std::current_exception();
    }
    return outcome;
}

} // namespace lookup
