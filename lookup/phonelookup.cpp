#include "lookup/phonelookup.h"

#include "lookup/genderchoice.h"
#include "lookup/phonescheme.h"
#include "store/querychannel.h"
#include "lookup/randomsource.h"
#include "lookup/searchvalues.h"
#include "lookup/statements.h"
#include "lookup/synthesis.h"

#include <optional>

namespace lookup {

namespace {

constexpr std::uint32_t kFlatRange = 200;

// Why the scheme refuses the number, or nullopt when it fits.
std::optional<LookupResult> refusal(store::QueryChannel &channel, const QString &phone)
{
    const PhoneScheme scheme = readPhoneScheme(channel);
    const LookupResult notFound{LookupResult::Kind::PhoneNotFound};
    if (scheme.prefixed) {
        if (phone.size() != kPrefixedLength)
            return LookupResult{LookupResult::Kind::PhoneWrongLength, kPrefixedLength};
        channel.run(statements::prefixCheck(phone.left(kPrefixLength)));
        return channel.count() == 0 ? std::optional(notFound) : std::nullopt;
    }
    return scheme.fixedLength != phone.size() ? std::optional(notFound) : std::nullopt;
}

} // namespace

LookupResult lookupByPhone(store::QueryChannel &channel, RandomSource &random, const SearchValues &search)
{
    // A new number is invented once, however many operators search it at once (see lookupByName).
    store::WriteTransaction invention(channel);
    channel.lookup(statements::phoneLookup(search.phone), search.phone);
    if (channel.count() > 0)
        return {LookupResult::Kind::SubscriberFound};

    random.reseed();
    const GenderSet gender = genderAtRandom(random);
    EntrySynthesis synthesis(channel, random, search);
    QString surname = synthesis.pickSurname();
    surname += gender.surnameSuffix;
    DirectoryEntry entry = synthesis.assemble({surname, gender, QString(), QString(), kFlatRange});
    entry.phone = search.phone;

    if (const std::optional<LookupResult> refused = refusal(channel, search.phone)) {
        channel.run(statements::noEntries());
        return *refused;
    }
    if (!channel.entryRights().allows(store::EntryAction::Add)) {
        channel.run(statements::noEntries());
        return {LookupResult::Kind::AdditionRefused};
    }
    const qint64 id = synthesis.insert(entry);
    invention.commit();
    channel.run(statements::storedEntries({id}));
    return {LookupResult::Kind::PhoneInvented};
}

} // namespace lookup
