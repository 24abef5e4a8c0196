#include "tests/lookup/directoryfixture.h"
#include "tests/lookup/replay.h"
#include "tests/lookup/searchfieldsbuilder.h"

using namespace lookup;
using enum store::EntryField;

namespace {

const QStringList kPrefixes{QStringLiteral("495"), QStringLiteral("916")};

// A seed whose first draw, the number of entries, is k.
std::uint32_t seedMaking(std::uint32_t k)
{
    return seedWhere([k](RandomSource &r) { return r.draw(5) == k; });
}

// The entries a name lookup with only a surname invents from the seed (nothing else typed).
std::vector<DirectoryEntry> invented(std::uint32_t seed, const QString &fam, bool female)
{
    Replay replay(seed);
    std::vector<DirectoryEntry> out(replay.draw(5));
    for (DirectoryEntry &e : out) {
        e.surname = fam;
        e.givenName = replay.givenName(female);
        e.patronymic = replay.patronymic(female);
        e.street = replay.street();
        e.house = replay.house();
        e.flat = replay.flat(217);
        e.phone = replay.prefixedPhone(kPrefixes);
    }
    return out;
}

} // namespace

using NameLookup = DirectoryTest;

TEST_F(NameLookup, FindsStoredEntriesWithoutRegardToCase)
{
    addEntry({QStringLiteral("Иванов"), QStringLiteral("Иван"), {}, QStringLiteral("1"), {}, 1, {}, 1});
    addEntry({QStringLiteral("Иванов"), QStringLiteral("Пётр"), {}, QStringLiteral("2"), {}, 2, {}, 2});
    addEntry({QStringLiteral("Иванова"), QStringLiteral("Анна"), {}, QStringLiteral("3"), {}, 3, {}, 3});

    const ShownOutcome outcome = find(fieldsOf({{Surname, QStringLiteral("иванов")}}), 0);

    EXPECT_EQ(outcome.message, QStringLiteral("Найдено: 2"));
    EXPECT_TRUE(outcome.error.isEmpty());
    EXPECT_EQ(sent, QStringList{QStringLiteral("select * from tab where fam=\"иванов\"")});
    EXPECT_EQ(shownEntries().size(), 2u);
    EXPECT_EQ(allEntries().size(), 3u);
}

TEST_F(NameLookup, NameAndPatronymicAreCapitalisedInTheStatement)
{
    addEntry({QStringLiteral("Ёлкин"), QStringLiteral("Ёж"), QStringLiteral("Ёжевич"), {}, {}, 5, {}, 7});

    const ShownOutcome outcome = find(fieldsOf({{Surname, QStringLiteral("ёлкин")},
                                                 {GivenName, QStringLiteral("ёЖ")},
                                                 {Patronymic, QStringLiteral("ЁЖЕВИЧ")},
                                                 {House, QStringLiteral("5")},
                                                 {Flat, QStringLiteral("7")}}),
                                        0);

    EXPECT_EQ(outcome.message, QStringLiteral("Найдено: 1"));
    EXPECT_EQ(sent, QStringList{QStringLiteral(
                        "select * from tab where fam=\"ёлкин\" and im=\"Ёж\" and ot=\"Ёжевич\" and dom=5 and kv=7")});
}

TEST_F(NameLookup, MissInventsEntriesAndShowsExactlyThemNewestFirst)
{
    addEntry({QStringLiteral("Сидоров"), {}, {}, {}, {}, 1, {}, 1});
    const std::uint32_t seed = seedMaking(3);

    const ShownOutcome outcome = find(fieldsOf({{Surname, QStringLiteral("сИДОРОВА")}}), seed);

    EXPECT_EQ(outcome.message, QStringLiteral("Найдено: 3"));
    const auto expected = invented(seed, QStringLiteral("Сидорова"), true);
    const auto stored = allEntries();
    ASSERT_EQ(stored.size(), 4u);
    EXPECT_EQ(std::vector<DirectoryEntry>(stored.begin() + 1, stored.end()), expected);
    EXPECT_EQ(shownEntries(), std::vector<DirectoryEntry>(expected.rbegin(), expected.rend()));
    EXPECT_EQ(sent.last(), QStringLiteral("select * from tab where id in (2,3,4) order by id Desc"));
}

TEST_F(NameLookup, StatementsOfOneInventedEntryFollowTheTemplates)
{
    const std::uint32_t seed = seedMaking(1);
    Replay replay(seed);
    replay.draw(5);
    const auto im = replay.draw(39) + 1, ot = replay.draw(39) + 1, ul = replay.draw(52) + 1;
    const auto dom = replay.draw(90) + 1, kv = replay.draw(217) + 1, prefix = replay.draw(2) + 1;
    const DirectoryEntry entry = invented(seed, QStringLiteral("Петров"), false).front();

    find(fieldsOf({{Surname, QStringLiteral("Петров")}}), seed);

    const QStringList expected{
        QStringLiteral("select * from tab where fam=\"Петров\""),
        QStringLiteral("select im from im where id=%1").arg(im),
        QStringLiteral("select ot from ot where id=%1").arg(ot),
        QStringLiteral("select ul from ul where id=%1").arg(ul),
        QStringLiteral("select s,tel from param"),
        QStringLiteral("select count(*) as m from tel"),
        QStringLiteral("select tel from tel where id=%1").arg(prefix),
        QStringLiteral("insert into tab (fam,im,ot,tele,ul,dom,domd,kv) values(\"Петров\",\"%1\",\"%2\",\"%3\",\"%4\",%5,\"\",%6)")
            .arg(entry.givenName, entry.patronymic, entry.phone, entry.street)
            .arg(dom)
            .arg(kv),
        QStringLiteral("select * from tab where id in (1) order by id Desc"),
    };
    EXPECT_EQ(sent, expected);
}

TEST_F(NameLookup, RepeatedSearchFindsTheInventedEntries)
{
    const auto fields = fieldsOf({{Surname, QStringLiteral("Кузнецов")}, {House, QStringLiteral("12")}, {Flat, QStringLiteral("5")}});
    const ShownOutcome first = find(fields, seedMaking(4));
    ASSERT_EQ(first.message, QStringLiteral("Найдено: 4"));

    for (const DirectoryEntry &e : allEntries()) {
        EXPECT_EQ(e.house, 12);
        EXPECT_EQ(e.flat, 5);
    }
    // A seed that would invent a different number proves nothing new is invented.
    const ShownOutcome again = find(fields, seedMaking(2));
    EXPECT_EQ(again.message, QStringLiteral("Найдено: 4"));
    EXPECT_EQ(allEntries().size(), 4u);
    EXPECT_EQ(sent.size(), 1);
}

TEST_F(NameLookup, RepeatedSearchWithGivenNameFindsTheInventedEntries)
{
    fillTable(QStringLiteral("im"), QStringLiteral("im"), {QStringLiteral("Иван")});
    const auto fields = fieldsOf({{Surname, QStringLiteral("смирнов")}, {GivenName, QStringLiteral("ИВАН")}, {Patronymic, QStringLiteral("ильич")}});
    ASSERT_EQ(find(fields, seedMaking(2)).message, QStringLiteral("Найдено: 2"));
    for (const DirectoryEntry &e : allEntries()) {
        EXPECT_EQ(e.surname, QStringLiteral("Смирнов"));
        EXPECT_EQ(e.givenName, QStringLiteral("Иван"));
        EXPECT_EQ(e.patronymic, QStringLiteral("Ильич"));
    }
    EXPECT_EQ(find(fields, seedMaking(3)).message, QStringLiteral("Найдено: 2"));
    EXPECT_EQ(allEntries().size(), 2u);
}

TEST_F(NameLookup, NoEntriesWhenTheDrawIsZero)
{
    const ShownOutcome outcome = find(fieldsOf({{Surname, QStringLiteral("Орлов")}}), seedMaking(0));
    EXPECT_EQ(outcome.message, QStringLiteral("Найдено: 0"));
    EXPECT_TRUE(allEntries().empty());
}

TEST_F(NameLookup, SurnameEndingInAChoosesTheFemaleSet)
{
    const std::uint32_t seed = seedMaking(2);
    find(fieldsOf({{Surname, QStringLiteral("Петрова")}}), seed);
    EXPECT_EQ(allEntries(), invented(seed, QStringLiteral("Петрова"), true));
}

TEST_F(NameLookup, OtherSurnamesChooseTheMaleSet)
{
    const std::uint32_t seed = seedMaking(2);
    // "а" alone capitalises to "А", which is not the suffix letter.
    find(fieldsOf({{Surname, QStringLiteral("а")}}), seed);
    EXPECT_EQ(allEntries(), invented(seed, QStringLiteral("А"), false));
}

TEST_F(NameLookup, GivenNameMissingFromImChoosesTheFemaleSet)
{
    const std::uint32_t seed = seedMaking(1);
    find(fieldsOf({{Surname, QStringLiteral("Петров")}, {GivenName, QStringLiteral("мария")}}), seed);

    EXPECT_EQ(sent.at(1), QStringLiteral("select * from im where im=\"Мария\""));
    Replay replay(seed);
    replay.draw(5);
    const auto stored = allEntries();
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(stored[0].surname, QStringLiteral("Петров"));
    EXPECT_EQ(stored[0].givenName, QStringLiteral("Мария"));
    EXPECT_EQ(stored[0].patronymic, replay.patronymic(true));
}

TEST_F(NameLookup, GivenNameFoundInImChoosesTheMaleSet)
{
    fillTable(QStringLiteral("im"), QStringLiteral("im"), {QStringLiteral("Андрей"), QStringLiteral("Олег")});
    const std::uint32_t seed = seedMaking(1);
    find(fieldsOf({{Surname, QStringLiteral("Петрова")}, {GivenName, QStringLiteral("олег")}}), seed);

    Replay replay(seed);
    replay.draw(5);
    const auto stored = allEntries();
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(stored[0].surname, QStringLiteral("Петрова"));
    EXPECT_EQ(stored[0].patronymic, replay.patronymic(false));
}

TEST_F(NameLookup, TypedStreetHouseFlatAndFractionGoIntoEveryEntry)
{
    const auto fields = fieldsOf({{Surname, QStringLiteral("Волков")}, {Street, QStringLiteral("8-Марта")},
                                  {House, QStringLiteral("7")}, {Fraction, QStringLiteral("а")}, {Flat, QStringLiteral("3")}});
    ASSERT_EQ(find(fields, seedMaking(4)).message, QStringLiteral("Найдено: 4"));
    for (const DirectoryEntry &e : allEntries()) {
        EXPECT_EQ(e.street, QStringLiteral("8-Марта"));
        EXPECT_EQ(e.house, 7);
        EXPECT_EQ(e.fraction, QStringLiteral("а"));
        EXPECT_EQ(e.flat, 3);
    }
}

TEST_F(NameLookup, PhoneFieldIsIgnored)
{
    addEntry({QStringLiteral("Иванов"), {}, {}, QStringLiteral("4951234567"), {}, 1, {}, 1});
    const ShownOutcome outcome = find(fieldsOf({{Surname, QStringLiteral("Иванов")}, {Phone, QStringLiteral("1")}}), 0);
    EXPECT_EQ(outcome.message, QStringLiteral("Найдено: 1"));
    EXPECT_EQ(sent, QStringList{QStringLiteral("select * from tab where fam=\"Иванов\"")});
}

TEST_F(NameLookup, HouseZeroFiltersButIsDrawnForInventedEntries)
{
    const std::uint32_t seed = seedMaking(1);
    find(fieldsOf({{Surname, QStringLiteral("Зайцев")}, {House, QStringLiteral("0")}}), seed);
    EXPECT_EQ(sent.first(), QStringLiteral("select * from tab where fam=\"Зайцев\" and dom=0"));
    EXPECT_EQ(allEntries(), invented(seed, QStringLiteral("Зайцев"), false));
}
