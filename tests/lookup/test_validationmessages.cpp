#include "tests/lookup/searchfieldsbuilder.h"
#include "lookup/validation.h"
#include "messages/searchtext.h"

#include <gtest/gtest.h>

using namespace lookup;
using messages::verdictText;
using enum store::EntryField;

namespace {

std::array<bool, store::kEntryFieldCount> redOnly(std::initializer_list<store::EntryField> fields)
{
    std::array<bool, store::kEntryFieldCount> red{};
    for (store::EntryField f : fields)
        red[f] = true;
    return red;
}

const QString kNeither = QStringLiteral("Необходимо указать фамилию или номер телефона.");

} // namespace

TEST(ValidationMessages, SurnameOrPhoneIsNeeded)
{
    const Verdict verdict = validate(SearchFields{});
    EXPECT_EQ(verdictText(verdict), kNeither);
    EXPECT_EQ(verdict.red, redOnly({}));

    // The other fields do not stand in for the surname or the phone.
    const Verdict withOthers = validate(fieldsOf({{GivenName, QStringLiteral("Иван")}, {Street, QStringLiteral("Ленина")},
                                                   {House, QStringLiteral("1")}, {Flat, QStringLiteral("2")}}));
    EXPECT_EQ(verdictText(withOthers), kNeither);
}

TEST(ValidationMessages, EachCheckHasItsMessageAndField)
{
    struct Case {
        store::EntryField field;
        QString text;
        QString message;
    };
    const Case cases[] = {
        {Surname, QStringLiteral("Ivanov"), QStringLiteral("Неверный формат ввода: фамилия.")},
        {GivenName, QStringLiteral("Ivan"), QStringLiteral("Неверный формат ввода: имя.")},
        {Patronymic, QStringLiteral("Ivanovich"), QStringLiteral("Неверный формат ввода: отчество.")},
        {Street, QStringLiteral("Ленина 5"), QStringLiteral("Неверный формат ввода: улица.")},
        {Phone, QStringLiteral("8-916"), QStringLiteral("Неверный формат ввода: номер телефона.")},
        {House, QStringLiteral("abc"), QStringLiteral("Неверный формат ввода: дом.")},
        {Flat, QStringLiteral("12 "), QStringLiteral("Неверный формат ввода: квартира.")},
        // Longer than the store holds.
        {Surname, QString(256, u'Я'), QStringLiteral("Неверный формат ввода: фамилия.")},
        {GivenName, QString(256, u'Я'), QStringLiteral("Неверный формат ввода: имя.")},
        {Patronymic, QString(256, u'Я'), QStringLiteral("Неверный формат ввода: отчество.")},
        {Street, QString(256, u'Я'), QStringLiteral("Неверный формат ввода: улица.")},
    };
    for (const Case &c : cases) {
        SearchFields fields = fieldsOf({{Surname, QStringLiteral("Иванов")}, {Phone, QStringLiteral("123")}});
        fields[c.field] = c.text;
        const Verdict verdict = validate(fields);
        EXPECT_EQ(verdictText(verdict), c.message);
        EXPECT_EQ(verdict.red, redOnly({c.field})) << c.message.toStdString();
    }
    const QString longest(255, u'Я');
    const Verdict fits = validate(fieldsOf({{Surname, longest}, {GivenName, longest}, {Patronymic, longest}, {Street, longest}}));
    EXPECT_TRUE(verdictText(fits).isEmpty()) << verdictText(fits).toStdString();
}

TEST(ValidationMessages, FractionIsNeverChecked)
{
    const Verdict verdict = validate(fieldsOf({{Surname, QStringLiteral("Иванов")}, {Fraction, QStringLiteral("a \"b\" 5")}}));
    EXPECT_TRUE(verdictText(verdict).isEmpty());
    EXPECT_EQ(verdict.red, redOnly({}));
}

TEST(ValidationMessages, LaterCheckReplacesEarlierMessage)
{
    const Verdict verdict = validate(fieldsOf({{House, QStringLiteral("abc")}}));
    EXPECT_EQ(verdictText(verdict), QStringLiteral("Неверный формат ввода: дом."));
    EXPECT_EQ(verdict.red, redOnly({House}));
}

TEST(ValidationMessages, AllChecksRunAndEveryFailingFieldTurnsRed)
{
    const Verdict verdict = validate(fieldsOf({{Surname, QStringLiteral("Ivanov")},
                                               {GivenName, QStringLiteral("Ivan")},
                                               {Patronymic, QStringLiteral("Ivanovich")},
                                               {Phone, QStringLiteral("phone")},
                                               {Street, QStringLiteral("Lenina")},
                                               {House, QStringLiteral("1 ")},
                                               {Fraction, QStringLiteral("!")},
                                               {Flat, QStringLiteral("x")}}));
    EXPECT_EQ(verdictText(verdict), QStringLiteral("Неверный формат ввода: квартира."));
    EXPECT_EQ(verdict.red, redOnly({Surname, GivenName, Patronymic, Phone, Street, House, Flat}));
}

TEST(ValidationMessages, StreetIsCheckedBeforePhone)
{
    // The checks do not follow the field order: the phone comes after the street.
    const Verdict verdict = validate(fieldsOf({{Phone, QStringLiteral("abc")}, {Street, QStringLiteral("a b")}}));
    EXPECT_EQ(verdictText(verdict), QStringLiteral("Неверный формат ввода: номер телефона."));
    EXPECT_EQ(verdict.red, redOnly({Phone, Street}));
}

TEST(ValidationMessages, NumbersInTheirWidths)
{
    const auto messageFor = [](store::EntryField field, const QString &text) {
        SearchFields fields = fieldsOf({{Surname, QStringLiteral("Иванов")}});
        fields[field] = text;
        return verdictText(validate(fields));
    };
    EXPECT_TRUE(messageFor(Phone, QStringLiteral("+79161234567")).isEmpty());
    EXPECT_TRUE(messageFor(Phone, QStringLiteral("$1F")).isEmpty());
    EXPECT_TRUE(messageFor(Phone, QStringLiteral("9223372036854775807")).isEmpty());
    EXPECT_FALSE(messageFor(Phone, QStringLiteral("9223372036854775808")).isEmpty());
    EXPECT_TRUE(messageFor(House, QStringLiteral("$FFFFFFFF")).isEmpty());
    EXPECT_TRUE(messageFor(House, QStringLiteral("0")).isEmpty());
    EXPECT_FALSE(messageFor(House, QStringLiteral("2147483648")).isEmpty());
    EXPECT_TRUE(messageFor(Flat, QStringLiteral(" 12")).isEmpty());
    EXPECT_FALSE(messageFor(Flat, QStringLiteral("$100000000")).isEmpty());
}
