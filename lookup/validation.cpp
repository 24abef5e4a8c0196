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
    const auto check = [&verdict](store::EntryField field, bool passes, const char16_t *message) {
        if (passes)
            return;
        verdict.message = QString::fromUtf16(message);
        verdict.red[field] = true;
    };

    if (fields[Surname].isEmpty() && fields[Phone].isEmpty())
        verdict.message = QStringLiteral("Необходимо указать фамилию или номер телефона.");

    check(Surname, allOf(fields[Surname], cp1251::isCyrillicLetter), u"Неверный формат ввода: фамилия.");
    check(GivenName, allOf(fields[GivenName], cp1251::isCyrillicLetter), u"Неверный формат ввода: имя.");
    check(Patronymic, allOf(fields[Patronymic], cp1251::isCyrillicLetter), u"Неверный формат ввода: отчество.");
    check(Street, allOf(fields[Street], cp1251::isStreetChar), u"Неверный формат ввода: улица.");
    check(Phone, emptyOrInteger(fields[Phone], IntegerWidth::Bits64), u"Неверный формат ввода: номер телефона.");
    check(House, emptyOrInteger(fields[House], IntegerWidth::Bits32), u"Неверный формат ввода: дом.");
    check(Flat, emptyOrInteger(fields[Flat], IntegerWidth::Bits32), u"Неверный формат ввода: квартира.");
    return verdict;
}

} // namespace lookup
