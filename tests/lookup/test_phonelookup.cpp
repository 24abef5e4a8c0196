#include "tests/lookup/directoryfixture.h"
#include "tests/lookup/replay.h"
#include "tests/lookup/searchfieldsbuilder.h"

using namespace lookup;
using enum store::EntryField;

namespace {

const QString kWrongLength = QStringLiteral("Указан неверный номер телефона. Необходимо указать 10 последних цифр.");
const QString kNotFound = QStringLiteral("Номер телефона не найден.");

// A seed whose gender draw, the first of the search, picks the wanted set.
std::uint32_t seedFor(bool male)
{
    return seedWhere([male](RandomSource &r) { return (r.draw(2) == 1) == male; });
}

// The subscriber a phone lookup invents from the seed, the tele being the typed phone.
DirectoryEntry invented(std::uint32_t seed, const QString &phone)
{
    Replay replay(seed);
    const bool female = replay.draw(2) != 1;
    DirectoryEntry e;
    e.surname = replay.surname() + (female ? QStringLiteral("а") : QString());
    e.givenName = replay.givenName(female);
    e.patronymic = replay.patronymic(female);
    e.street = replay.street();
    e.house = replay.house();
    e.flat = replay.flat(200);
    e.phone = phone;
    return e;
}

SearchFields phone(const QString &text)
{
    return fieldsOf({{Phone, text}});
}

} // namespace

using PhoneLookup = DirectoryTest;

TEST_F(PhoneLookup, StoredNumberIsFound)
{
    addEntry({QStringLiteral("Иванов"), {}, {}, QStringLiteral("123"), {}, 1, {}, 1});
    const ShownOutcome outcome = find(phone(QStringLiteral("123")), 0);
    EXPECT_EQ(outcome.message, QStringLiteral("Абонент найден."));
    EXPECT_EQ(sent, QStringList{QStringLiteral("select * from tab where tele=\"123\"")});
    EXPECT_EQ(shownEntries().size(), 1u);
}

TEST_F(PhoneLookup, NumberIsLookedUpAsTyped)
{
    addEntry({QStringLiteral("Иванов"), {}, {}, QStringLiteral("123"), {}, 1, {}, 1});
    find(phone(QStringLiteral("+123")), 0);
    EXPECT_EQ(sent.first(), QStringLiteral("select * from tab where tele=\"+123\""));
    EXPECT_EQ(allEntries().size(), 1u);
}

TEST_F(PhoneLookup, PrefixedNumberInventsOneSubscriberAndShowsIt)
{
    for (bool male : {true, false}) {
        const QString number = male ? QStringLiteral("9161234567") : QStringLiteral("4957654321");
        const std::uint32_t seed = seedFor(male);
        const ShownOutcome outcome = find(phone(number), seed);

        EXPECT_EQ(outcome.message, QString());
        EXPECT_TRUE(outcome.error.isEmpty());
        const auto stored = entries(QStringLiteral("select * from tab where tele=\"%1\"").arg(number));
        ASSERT_EQ(stored.size(), 1u);
        EXPECT_EQ(stored[0], invented(seed, number));
        EXPECT_EQ(stored[0].surname.endsWith(u'а'), !male);
        EXPECT_EQ(shownEntries(), stored);
        EXPECT_EQ(sent.last(), QStringLiteral("select * from tab where id in (%1) order by id Desc").arg(male ? 1 : 2));
        EXPECT_EQ(sent.at(sent.size() - 3), QStringLiteral("select tel from tel where tel=\"%1\"").arg(number.left(3)));

        EXPECT_EQ(find(phone(number), seed).message, QStringLiteral("Абонент найден."));
    }
    EXPECT_EQ(allEntries().size(), 2u);
}

TEST_F(PhoneLookup, DrawsFollowTheDocumentedOrder)
{
    const std::uint32_t seed = seedFor(false);
    Replay replay(seed);
    replay.draw(2);
    const auto fam = replay.draw(58) + 1, im = replay.draw(23) + 1, ot = replay.draw(39) + 1, ul = replay.draw(52) + 1;

    find(phone(QStringLiteral("9160000000")), seed);

    EXPECT_EQ(sent.mid(0, 7), (QStringList{
                                  QStringLiteral("select * from tab where tele=\"9160000000\""),
                                  QStringLiteral("select fam from fam where id=%1").arg(fam),
                                  QStringLiteral("select im from im2 where id=%1").arg(im),
                                  QStringLiteral("select ot from ot2 where id=%1").arg(ot),
                                  QStringLiteral("select ul from ul where id=%1").arg(ul),
                                  QStringLiteral("select s,tel from param"),
                                  QStringLiteral("select tel from tel where tel=\"916\""),
                              }));
    EXPECT_TRUE(sent.at(7).startsWith(QStringLiteral("insert into tab (fam,im,ot,tele,ul,dom,domd,kv) values(")));
    replay.house();
    replay.flat(200);
    EXPECT_EQ(random.state(), replay.state()); // nothing is drawn after the flat
}

TEST_F(PhoneLookup, TypedStreetHouseFlatAndFractionAreKept)
{
    find(fieldsOf({{Phone, QStringLiteral("4950000001")}, {Street, QStringLiteral("Тверская")}, {House, QStringLiteral("$10")},
                   {Fraction, QStringLiteral("б")}, {Flat, QStringLiteral("300")}}),
         0);
    const auto stored = allEntries();
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(stored[0].street, QStringLiteral("Тверская"));
    EXPECT_EQ(stored[0].house, 16);
    EXPECT_EQ(stored[0].fraction, QStringLiteral("б"));
    EXPECT_EQ(stored[0].flat, 300);
}

TEST_F(PhoneLookup, PrefixSchemeRefusesOtherLengths)
{
    for (const QString &number : {QStringLiteral("79161234567"), QStringLiteral("916123456"), QStringLiteral("1")}) {
        const ShownOutcome outcome = find(phone(number), 7);
        EXPECT_EQ(outcome.message, kWrongLength) << number.toStdString();
        EXPECT_EQ(sent.last(), QStringLiteral("select * from tab where 1=0"));
    }
    EXPECT_TRUE(allEntries().empty());
}

TEST_F(PhoneLookup, PrefixSchemeRefusesUnknownPrefix)
{
    const ShownOutcome outcome = find(phone(QStringLiteral("8121234567")), 0);
    EXPECT_EQ(outcome.message, kNotFound);
    EXPECT_TRUE(allEntries().empty());
}

TEST_F(PhoneLookup, PrefixOfASignedNumberIncludesTheSign)
{
    fillTable(QStringLiteral("tel"), QStringLiteral("tel"), {QStringLiteral("+91")});
    const ShownOutcome outcome = find(phone(QStringLiteral("+912345678")), 0);
    EXPECT_EQ(outcome.message, QString());
    EXPECT_TRUE(sent.contains(QStringLiteral("select tel from tel where tel=\"+91\"")));
    EXPECT_EQ(allEntries().size(), 1u);
}

TEST_F(PhoneLookup, FixedLengthSchemeAcceptsOnlyThatLength)
{
    setScheme(0, 7);
    EXPECT_EQ(find(phone(QStringLiteral("123456")), 0).message, kNotFound);
    EXPECT_EQ(find(phone(QStringLiteral("12345678")), 0).message, kNotFound);
    EXPECT_TRUE(allEntries().empty());

    EXPECT_EQ(find(phone(QStringLiteral("1234567")), 0).message, QString());
    EXPECT_FALSE(sent.contains(QStringLiteral("select tel from tel where tel=\"123\"")));
    EXPECT_EQ(allEntries().size(), 1u);
}

TEST_F(PhoneLookup, LengthCountsSignsAndSpaces)
{
    setScheme(0, 4);
    // Four characters, three of them digits: the text as typed is what counts.
    EXPECT_EQ(find(phone(QStringLiteral(" 123")), 0).message, QString());
    EXPECT_EQ(find(phone(QStringLiteral("-$1F")), 0).message, QString());
    EXPECT_EQ(find(phone(QStringLiteral("1234 ")), 0).message, QStringLiteral("Неверный формат ввода: номер телефона."));
    const auto stored = allEntries();
    ASSERT_EQ(stored.size(), 2u);
    EXPECT_EQ(stored[0].phone, QStringLiteral(" 123"));
    EXPECT_EQ(stored[1].phone, QStringLiteral("-$1F"));
}

TEST_F(PhoneLookup, RefusedNumberSpendsTheDrawsOfTheEntry)
{
    const std::uint32_t seed = 11;
    Replay replay(seed);
    for (int i = 0; i < 7; ++i) // gender, surname, name, patronymic, street, house, flat
        replay.draw(1);

    find(phone(QStringLiteral("12")), seed);
    EXPECT_EQ(random.state(), replay.state());
}

TEST_F(PhoneLookup, NameFieldsAreIgnored)
{
    const std::uint32_t seed = seedFor(true);
    find(fieldsOf({{Phone, QStringLiteral("4951112233")}, {GivenName, QStringLiteral("Игорь")}, {Patronymic, QStringLiteral("Ильич")}}), seed);
    EXPECT_EQ(allEntries(), std::vector<DirectoryEntry>{invented(seed, QStringLiteral("4951112233"))});
}
