#include "lookup/search.h"

#include "store/storeerror.h"
#include "messages/errortext.h"
#include "lookup/namelookup.h"
#include "lookup/phonelookup.h"
#include "store/querychannel.h"
#include "lookup/searchvalues.h"
#include "lookup/validation.h"

#include <new>

namespace lookup {

QString failureText(const std::exception &failure)
{
    if (const auto *error = dynamic_cast<const store::StoreError *>(&failure))
        return messages::errorText(*error);
    if (dynamic_cast<const std::bad_alloc *>(&failure))
        return QStringLiteral("Недостаточно памяти: поиск прерван");
    return QStringLiteral("Поиск прерван: ") + QString::fromLocal8Bit(failure.what());
}

SearchOutcome search(store::QueryChannel &channel, RandomSource &random, const SearchFields &fields)
{
    SearchOutcome outcome;
    try {
        // Before the panel is cleared: a connection that cannot open leaves the last message standing.
        channel.connect();
    } catch (const std::exception &failure) {
        outcome.error = failureText(failure);
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
        if (values.surname.isEmpty()) {
            const PhoneLookup lookup = lookupByPhone(channel, random, values);
            outcome.message = lookup.message;
            outcome.phoneRefused = lookup.refused;
        } else {
            outcome.message = lookupByName(channel, random, values);
        }
    } catch (const std::exception &failure) {
        // Not only the store's errors: whatever ends a search must not end the program with it.
        outcome.error = failureText(failure);
    }
    return outcome;
}

} // namespace lookup
