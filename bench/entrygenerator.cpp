#include "bench/entrygenerator.h"

#include <stdexcept>
#include <string_view>

namespace bench {

namespace {

// Most houses have no fraction; the few that do carry a letter or a building number.
constexpr std::string_view kFractions[] = {"а", "б", "в", "к1", "к2"};
constexpr double kFractionShare = 0.05;

} // namespace

EntryGenerator::EntryGenerator(SurnameModel &surnames, const ReferenceNames &names, std::uint64_t seed)
    : m_surnames(surnames)
    , m_names(names)
    , m_phones(names.phonePrefixes)
    , m_engine(seed)
{
    if (names.maleNames.empty() || names.femaleNames.empty() || names.malePatronymics.empty()
        || names.femalePatronymics.empty() || names.streets.empty())
        throw std::invalid_argument("entry generator: a reference table is empty");
}

void EntryGenerator::next(GeneratedEntry &entry)
{
    if (m_made >= m_phones.capacity())
        throw std::length_error("entry generator: no distinct phone number left");
    const std::size_t rank = m_surnames.draw(m_engine);
    entry.female = std::bernoulli_distribution(0.5)(m_engine);
    entry.fam = entry.female ? m_surnames.feminine(rank) : m_surnames.masculine(rank);
    entry.im = pickFrom(entry.female ? m_names.femaleNames : m_names.maleNames);
    entry.ot = pickFrom(entry.female ? m_names.femalePatronymics : m_names.malePatronymics);
    entry.ul = pickFrom(m_names.streets);
    // The ranges the program itself invents entries in.
    entry.dom = std::uniform_int_distribution<std::int64_t>(1, 90)(m_engine);
    entry.kv = std::uniform_int_distribution<std::int64_t>(1, 217)(m_engine);
    if (std::bernoulli_distribution(kFractionShare)(m_engine))
        entry.domd = pickFrom(kFractions);
    else
        entry.domd.clear();
    m_phones.format(m_made, entry.tele);
    ++m_made;
}

} // namespace bench
