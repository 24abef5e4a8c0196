#include "lookup/synthesis.h"

#include "lookup/phonescheme.h"
#include "store/querychannel.h"
#include "lookup/randomsource.h"
#include "lookup/searchvalues.h"
#include "lookup/statements.h"

namespace lookup {

namespace {
constexpr std::uint32_t kHouseRange = 90;
} // namespace

EntrySynthesis::EntrySynthesis(store::QueryChannel &channel, RandomSource &random, const SearchValues &search)
    : m_channel(channel), m_random(random), m_search(search)
{
}

QString EntrySynthesis::pick(const QString &statement, const QString &column)
{
    m_channel.run(statement);
    return m_channel.text(column);
}

QChar EntrySynthesis::nonZeroDigit()
{
    return QChar(u'1' + m_random.draw(9));
}

QChar EntrySynthesis::anyDigit()
{
    return QChar(u'0' + m_random.draw(10));
}

QString EntrySynthesis::pickSurname()
{
    return pick(statements::surnamePick(std::int64_t(m_random.draw(surnameTable.count)) + 1), QStringLiteral("fam"));
}

QString EntrySynthesis::pickGivenName(const GenderSet &set)
{
    return pick(statements::givenNamePick(set, std::int64_t(m_random.draw(set.names.count)) + 1), QStringLiteral("im"));
}

QString EntrySynthesis::pickPatronymic(const GenderSet &set)
{
    return pick(statements::patronymicPick(set, std::int64_t(m_random.draw(set.patronymics.count)) + 1),
                QStringLiteral("ot"));
}

QString EntrySynthesis::pickStreet()
{
    return pick(statements::streetPick(std::int64_t(m_random.draw(streetTable.count)) + 1), QStringLiteral("ul"));
}

std::int32_t EntrySynthesis::house()
{
    const std::int32_t typed = m_search.houseOrZero();
    return typed != 0 ? typed : std::int32_t(m_random.draw(kHouseRange)) + 1;
}

std::int32_t EntrySynthesis::flat(std::uint32_t range)
{
    const std::int32_t typed = m_search.flatOrZero();
    return typed != 0 ? typed : std::int32_t(m_random.draw(range)) + 1;
}

QString EntrySynthesis::generatePhone()
{
    const PhoneScheme scheme = readPhoneScheme(m_channel);
    QString phone;
    if (scheme.prefixed) {
        m_channel.run(statements::prefixCount());
        const auto prefixes = static_cast<std::uint32_t>(m_channel.integer(QStringLiteral("m")));
        phone = pick(statements::prefixPick(std::int64_t(m_random.draw(prefixes)) + 1), QStringLiteral("tel"));
        phone += nonZeroDigit();
        for (int i = 1; i < kDigitsAfterPrefix; ++i)
            phone += anyDigit();
    } else {
        phone = nonZeroDigit();
        for (std::int64_t i = 1; i < scheme.fixedLength; ++i)
            phone += anyDigit();
    }
    return phone;
}

DirectoryEntry EntrySynthesis::assemble(const EntryRecipe &recipe)
{
    DirectoryEntry entry;
    entry.surname = recipe.surname;
    entry.givenName = recipe.givenName.isEmpty() ? pickGivenName(recipe.gender) : recipe.givenName;
    entry.patronymic = recipe.patronymic.isEmpty() ? pickPatronymic(recipe.gender) : recipe.patronymic;
    entry.street = m_search.street.isEmpty() ? pickStreet() : m_search.street;
    entry.house = house();
    entry.flat = flat(recipe.flatRange);
    entry.fraction = m_search.fraction;
    return entry;
}

qint64 EntrySynthesis::insert(const DirectoryEntry &entry)
{
    return m_channel.exec(statements::insert(entry));
}

} // namespace lookup
