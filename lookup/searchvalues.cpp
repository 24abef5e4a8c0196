#include "lookup/searchvalues.h"

#include "lookup/integersyntax.h"

namespace lookup {

namespace {

std::optional<std::int32_t> number(const QString &text)
{
    const auto value = parseInteger(text, IntegerWidth::Bits32);
    if (!value)
        return std::nullopt;
    return static_cast<std::int32_t>(*value);
}

} // namespace

SearchValues collect(const SearchFields &fields)
{
    using enum store::EntryField;
    SearchValues values;
    values.surname = fields[Surname];
    values.givenName = fields[GivenName];
    values.patronymic = fields[Patronymic];
    values.phone = fields[Phone];
    values.street = fields[Street];
    values.fraction = fields[Fraction];
    values.house = number(fields[House]);
    values.flat = number(fields[Flat]);
    return values;
}

} // namespace lookup
