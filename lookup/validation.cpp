#include "lookup/validation.h"

#include "text/cp1251.h"
#include "lookup/integersyntax.h"
#include "store/schema.h"

#include <algorithm>

namespace lookup {

namespace {

// Of the checked class and no longer than the store holds: the letters of both classes are single
// UTF-16 units, so the length is the number of characters.
bool allOf(const QString &text, bool (*inClass)(QChar))
{
    return text.size() <= store::kTextValueLimit && std::all_of(text.cbegin(), text.cend(), inClass);
}

bool emptyOrInteger(const QString &text, IntegerWidth width)
{
    return text.isEmpty() || parseInteger(text, width).has_value();
}

} // namespace

Verdict validate(const SearchFields &fields)
{
    using enum store::EntryField;
    Verdict verdict;
    const auto check = [&verdict](store::EntryField field, bool passes) {
        if (passes)
            return;
        verdict.kind = Verdict::Kind::BadFormat;
        verdict.field = field;
        verdict.red[field] = true;
    };

    if (fields[Surname].isEmpty() && fields[Phone].isEmpty())
        verdict.kind = Verdict::Kind::NothingToSearch;

    check(Surname, allOf(fields[Surname], cp1251::isCyrillicLetter));
    check(GivenName, allOf(fields[GivenName], cp1251::isCyrillicLetter));
    check(Patronymic, allOf(fields[Patronymic], cp1251::isCyrillicLetter));
    check(Street, allOf(fields[Street], cp1251::isStreetChar));
    check(Phone, emptyOrInteger(fields[Phone], IntegerWidth::Bits64));
    check(House, emptyOrInteger(fields[House], IntegerWidth::Bits32));
    check(Flat, emptyOrInteger(fields[Flat], IntegerWidth::Bits32));
    return verdict;
}

} // namespace lookup
