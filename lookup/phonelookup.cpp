#include "lookup/phonelookup.h"

#include "lookup/phonescheme.h"
#include "store/querychannel.h"
#include "lookup/randomsource.h"
#include "lookup/searchvalues.h"
#include "lookup/statements.h"
#include "lookup/synthesis.h"

namespace lookup {

namespace {

constexpr std::uint32_t kFlatRange = 200;

// The refusal message, or an empty text when the number fits the scheme.
QString refusal(store::QueryChannel &channel, const QString &phone)
{
    const PhoneScheme scheme = readPhoneScheme(channel);
    const QString notFound = QStringLiteral("Номер телефона не найден.");
    if (scheme.prefixed) {
        if (phone.size() != kPrefixedLength)
            return QStringLiteral("Указан неверный номер телефона. Необходимо указать %1 последних цифр.")
                .arg(kPrefixedLength);
        channel.run(statements::prefixCheck(phone.left(kPrefixLength)));
        return channel.count() == 0 ? notFound : QString();
    }
    return scheme.fixedLength != phone.size() ? notFound : QString();
}

} // namespace

LookupResult lookupByPhone(store::QueryChannel &channel, RandomSource &random, const SearchValues &search)
{
    // A new number is invented once, however many operators search it at once (see lookupByName).
    store::WriteTransaction invention(channel);
    channel.lookup(statements::phoneLookup(search.phone), search.phone);
    if (channel.count() > 0)
        return {QStringLiteral("Абонент найден.")};

    random.reseed();
    const GenderSet gender = random.draw(2) == 1 ? maleSet : femaleSet;
    EntrySynthesis synthesis(channel, random, search);
    QString surname = synthesis.pickSurname();
    surname += gender.surnameSuffix;
    DirectoryEntry entry = synthesis.assemble({surname, gender, QString(), QString(), kFlatRange});
    entry.phone = search.phone;

    if (const QString refused = refusal(channel, search.phone); !refused.isEmpty()) {
        channel.run(statements::noEntries());
        return {refused, false, true};
    }
    if (!channel.entryRights().allows(store::EntryAction::Add)) {
        channel.run(statements::noEntries());
        return {QString(), true};
    }
    const qint64 id = synthesis.insert(entry);
    invention.commit();
    channel.run(statements::storedEntries({id}));
    return {};
}

} // namespace lookup
