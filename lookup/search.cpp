#include "search.h"

#include "databaseerror.h"
#include "namelookup.h"
#include "phonelookup.h"
#include "querychannel.h"
#include "searchvalues.h"
#include "validation.h"

namespace lookup {

SearchOutcome search(store::QueryChannel &channel, RandomSource &random, const SearchFields &fields)
{
    SearchOutcome outcome;
    try {
        // Before the panel is cleared: a connection that cannot open leaves the last message standing.
        channel.connect();
    } catch (const store::DatabaseError &error) {
        outcome.error = error.text();
        return outcome;
    }

    const Verdict verdict = validate(fields);
    outcome.message = verdict.message;
    outcome.red = verdict.red;
    outcome.rejected = !verdict.message.isEmpty();
    if (outcome.rejected)
        return outcome;

    const SearchValues values = collect(fields);
    try {
        outcome.message = values.surname.isEmpty() ? lookupByPhone(channel, random, values)
                                                   : lookupByName(channel, random, values);
    } catch (const store::DatabaseError &error) {
        outcome.error = error.text();
    }
    return outcome;
}

} // namespace lookup
