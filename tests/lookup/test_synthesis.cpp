#include "tests/lookup/directoryfixture.h"
#include "tests/lookup/replay.h"
#include "lookup/searchvalues.h"
#include "lookup/synthesis.h"

#include "store/storeerror.h"

#include <QRegularExpression>

using namespace lookup;

namespace {

bool matches(const QString &text, const char *pattern)
{
    return QRegularExpression(QRegularExpression::anchoredPattern(QLatin1String(pattern))).match(text).hasMatch();
}

} // namespace

class Synthesis : public DirectoryTest {
protected:
    void SetUp() override
    {
        DirectoryTest::SetUp();
        channel().connect();
    }
    EntrySynthesis synth() { return EntrySynthesis(channel(), random, values); }

    SearchValues values;
};

TEST_F(Synthesis, PicksReadTheDrawnRowOfTheSetsTables)
{
    random.setState(1234);
    Replay replay(1234);
    EXPECT_EQ(synth().pickSurname(), replay.surname());
    EXPECT_EQ(synth().pickGivenName(maleSet), replay.givenName(false));
    EXPECT_EQ(synth().pickGivenName(femaleSet), replay.givenName(true));
    EXPECT_EQ(synth().pickPatronymic(maleSet), replay.patronymic(false));
    EXPECT_EQ(synth().pickPatronymic(femaleSet), replay.patronymic(true));
    EXPECT_EQ(synth().pickStreet(), replay.street());
    EXPECT_EQ(random.state(), replay.state());
}

TEST_F(Synthesis, EveryIdOfTheRangesIsDrawnAndNoOther)
{
    random.setState(99);
    QSet<QString> surnames, femaleNames, streets;
    for (int i = 0; i < 2000; ++i) {
        surnames << synth().pickSurname();
        femaleNames << synth().pickGivenName(femaleSet);
        streets << synth().pickStreet();
    }
    const QStringList all = numbered(QStringLiteral("Фамилия"), 58);
    EXPECT_EQ(surnames, QSet<QString>(all.begin(), all.end()));
    EXPECT_EQ(femaleNames.size(), 23);
    EXPECT_EQ(streets.size(), 52);
}

TEST_F(Synthesis, IdWithoutARowGivesEmptyText)
{
    fillTable(QStringLiteral("ul"), QStringLiteral("ul"), {QStringLiteral("Единственная")});
    const std::uint32_t seed = seedWhere([](RandomSource &r) { return r.draw(52) > 0; });
    random.setState(seed);
    EXPECT_EQ(synth().pickStreet(), QString());
}

TEST_F(Synthesis, HouseAndFlatAreDrawnOnlyWhenNotGiven)
{
    random.setState(5);
    values.house = 7;
    values.flat = 3;
    EXPECT_EQ(synth().house(), 7);
    EXPECT_EQ(synth().flat(217), 3);
    EXPECT_EQ(random.state(), 5u);

    values.house = 0; // typed zero counts as not given
    values.flat.reset();
    Replay replay(5);
    EXPECT_EQ(synth().house(), replay.house());
    EXPECT_EQ(synth().flat(200), replay.flat(200));
}

TEST_F(Synthesis, DrawnHousesAndFlatsStayInTheirRanges)
{
    random.setState(2024);
    QSet<int> houses, nameFlats, phoneFlats;
    for (int i = 0; i < 20000; ++i) {
        houses << synth().house();
        nameFlats << synth().flat(217);
        phoneFlats << synth().flat(200);
    }
    const auto range = [](int from, int to) {
        QSet<int> all;
        for (int i = from; i <= to; ++i)
            all << i;
        return all;
    };
    EXPECT_EQ(houses, range(1, 90));
    EXPECT_EQ(nameFlats, range(1, 217));
    EXPECT_EQ(phoneFlats, range(1, 200));
}

TEST_F(Synthesis, PrefixSchemePhoneIsPrefixNonZeroDigitAndSixDigits)
{
    fillTable(QStringLiteral("tel"), QStringLiteral("tel"), {QStringLiteral("495")});
    random.setState(77);
    for (int i = 0; i < 200; ++i)
        ASSERT_TRUE(matches(synth().generatePhone(), "495[1-9][0-9]{6}"));
}

TEST_F(Synthesis, PrefixSchemePhoneFollowsTheDraws)
{
    random.setState(31337);
    Replay replay(31337);
    EXPECT_EQ(synth().generatePhone(), replay.prefixedPhone({QStringLiteral("495"), QStringLiteral("916")}));
    EXPECT_EQ(sent, (QStringList{QStringLiteral("select s,tel from param"), QStringLiteral("select count(*) as m from tel"),
                                 QStringLiteral("select tel from tel where id=%1").arg(Replay(31337).draw(2) + 1)}));
}

TEST_F(Synthesis, EmptyPrefixTableGivesSevenDigits)
{
    fillTable(QStringLiteral("tel"), QStringLiteral("tel"), {});
    random.setState(3);
    const QString phone = synth().generatePhone();
    EXPECT_TRUE(matches(phone, "[1-9][0-9]{6}")) << phone.toStdString();
    EXPECT_TRUE(sent.contains(QStringLiteral("select tel from tel where id=1")));
}

TEST_F(Synthesis, FixedLengthSchemePhoneHasThatManyDigits)
{
    setScheme(0, 7);
    random.setState(8);
    Replay replay(8);
    EXPECT_EQ(synth().generatePhone(), replay.fixedPhone(7));
    for (int i = 0; i < 200; ++i)
        ASSERT_TRUE(matches(synth().generatePhone(), "[1-9][0-9]{6}"));
    EXPECT_FALSE(sent.contains(QStringLiteral("select count(*) as m from tel")));
}

TEST_F(Synthesis, FixedLengthOutsideThatOfAPhoneIsRefused)
{
    setScheme(0, 1);
    EXPECT_TRUE(matches(synth().generatePhone(), "[1-9]"));
    for (qint64 length : {0, -5, 21}) {
        setScheme(0, length);
        EXPECT_THROW(synth().generatePhone(), store::StoreError) << length;
    }
}

TEST_F(Synthesis, AssembleKeepsTypedFieldsAndPicksTheRest)
{
    values.street = QStringLiteral("Лесная");
    values.fraction = QStringLiteral("к2");
    random.setState(400);
    const DirectoryEntry picked = synth().assemble({QStringLiteral("Орлова"), femaleSet, {}, {}, 217});
    Replay replay(400);
    EXPECT_EQ(picked, (DirectoryEntry{QStringLiteral("Орлова"), replay.givenName(true), replay.patronymic(true), {},
                                      QStringLiteral("Лесная"), replay.house(), QStringLiteral("к2"), replay.flat(217)}));

    const DirectoryEntry typed = synth().assemble({QStringLiteral("Орлов"), maleSet, QStringLiteral("Ян"), QStringLiteral("Янович"), 200});
    EXPECT_EQ(typed.givenName, QStringLiteral("Ян"));
    EXPECT_EQ(typed.patronymic, QStringLiteral("Янович"));
}

TEST_F(Synthesis, InsertStoresTheEntryAndLeavesNoResult)
{
    const DirectoryEntry entry{QStringLiteral("Петрова"), QStringLiteral("Анна"), QStringLiteral("Ивановна"),
                               QStringLiteral("4951234567"), QStringLiteral("8-Марта"), -1, QString(), 217};
    synth().insert(entry);
    EXPECT_EQ(allEntries(), std::vector<DirectoryEntry>{entry});
    EXPECT_EQ(channel().count(), 0);
}
