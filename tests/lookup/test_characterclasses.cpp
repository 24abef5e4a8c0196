#include "tests/lookup/searchfieldsbuilder.h"
#include "lookup/validation.h"

#include <gtest/gtest.h>

using namespace lookup;
using enum store::EntryField;

namespace {

// Only the surname is typed, so any message comes from the character check.
bool surnamePasses(const QString &surname)
{
    return validate(fieldsOf({{Surname, surname}})).passed();
}

bool streetPasses(const QString &street)
{
    return validate(fieldsOf({{Surname, QStringLiteral("Иванов")}, {Street, street}})).passed();
}

} // namespace

TEST(CharacterClasses, WholeCyrillicAlphabetOfThePageIsLetters)
{
    EXPECT_TRUE(surnamePasses(QStringLiteral("АБВГДЕЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯабвгдежзийклмнопрстуфхцчшщъыьэюя")));
    EXPECT_TRUE(surnamePasses(QStringLiteral("Ёжиков")));
    EXPECT_TRUE(surnamePasses(QStringLiteral("ёлкин")));
}

TEST(CharacterClasses, SpaceHyphenDigitsAndLatinAreNoLetters)
{
    EXPECT_FALSE(surnamePasses(QStringLiteral("Иванов-Петров")));
    EXPECT_FALSE(surnamePasses(QStringLiteral("Иванов ")));
    EXPECT_FALSE(surnamePasses(QStringLiteral(" Иванов")));
    EXPECT_FALSE(surnamePasses(QStringLiteral("Ivanov")));
    EXPECT_FALSE(surnamePasses(QStringLiteral("Ивaнов"))); // Latin a among Cyrillic
    EXPECT_FALSE(surnamePasses(QStringLiteral("Иванов2")));
    EXPECT_FALSE(surnamePasses(QStringLiteral("Иванов\"")));
}

TEST(CharacterClasses, OtherCyrillicOfThePageIsNoLetter)
{
    // Ukrainian and Belarusian letters have bytes in Windows-1251 but lie outside the letter range.
    for (const char16_t *text : {u"Її", u"Єгоров", u"Ґава", u"Ўсенка", u"Іванов", u"Јован"})
        EXPECT_FALSE(surnamePasses(QString::fromUtf16(text))) << QString::fromUtf16(text).toStdString();
}

TEST(CharacterClasses, CharactersOutsideThePageBelongToNoClass)
{
    EXPECT_FALSE(surnamePasses(QStringLiteral("Әлиев")));   // Kazakh schwa
    EXPECT_FALSE(surnamePasses(QStringLiteral("Иванов😀"))); // outside the BMP
    EXPECT_FALSE(surnamePasses(QString(QChar(0xFFFD))));
    EXPECT_FALSE(streetPasses(QStringLiteral("Ленина٥"))); // Arabic-Indic digit
    EXPECT_FALSE(streetPasses(QStringLiteral("Ленина—5"))); // em dash, not the hyphen
}

TEST(CharacterClasses, StreetTakesLettersDigitsAndHyphen)
{
    EXPECT_TRUE(streetPasses(QStringLiteral("8-Марта")));
    EXPECT_TRUE(streetPasses(QStringLiteral("Ёлочная")));
    EXPECT_TRUE(streetPasses(QStringLiteral("-")));
    EXPECT_FALSE(streetPasses(QStringLiteral("Ленина 5")));
    EXPECT_FALSE(streetPasses(QStringLiteral("Lenina")));
    EXPECT_FALSE(streetPasses(QStringLiteral("Ленина/5")));
    EXPECT_FALSE(streetPasses(QStringLiteral("Ленина_5")));
}

TEST(CharacterClasses, EmptyTextFieldsPass)
{
    const Verdict verdict = validate(fieldsOf({{Phone, QStringLiteral("123")}}));
    EXPECT_TRUE(verdict.passed());
    EXPECT_EQ(verdict.red, (std::array<bool, store::kEntryFieldCount>{}));
}
