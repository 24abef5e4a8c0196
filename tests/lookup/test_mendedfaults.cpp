#include "tests/lookup/directoryfixture.h"
#include "tests/lookup/searchfieldsbuilder.h"
#include "lookup/statements.h"

using namespace lookup;
using enum store::EntryField;

namespace {

std::uint32_t seedMaking(std::uint32_t k)
{
    return seedWhere([k](RandomSource &r) { return r.draw(5) == k; });
}

// What the grid shows after a search that ends without entries: the directory's columns, no rows.
void expectEmptyDirectoryResult(store::QueryChannel &channel)
{
    EXPECT_TRUE(channel.hasResult());
    EXPECT_EQ(channel.sourceTable(), QStringLiteral("tab"));
    EXPECT_EQ(channel.count(), 0);
}

} // namespace

using MendedFaults = DirectoryTest;

// 1. Quotes inside texts

TEST_F(MendedFaults, FractionWithQuotesIsStoredAsTypedByNameLookup)
{
    const QString fraction = QStringLiteral("а\"б");
    const ShownOutcome outcome = find(fieldsOf({{Surname, QStringLiteral("Кац")}, {Fraction, fraction}}), seedMaking(2));
    EXPECT_TRUE(outcome.error.isEmpty()) << outcome.error.toStdString();
    const auto stored = allEntries();
    ASSERT_EQ(stored.size(), 2u);
    for (const DirectoryEntry &e : stored)
        EXPECT_EQ(e.fraction, fraction);
}

TEST_F(MendedFaults, FractionOfQuotesOnlyIsStoredAsTypedByPhoneLookup)
{
    for (const QString &fraction : {QStringLiteral("\""), QStringLiteral("\"\""), QStringLiteral("\",\"x\")--")}) {
        exec(QStringLiteral("delete from tab"));
        const ShownOutcome outcome = find(fieldsOf({{Phone, QStringLiteral("4950000000")}, {Fraction, fraction}}), 1);
        EXPECT_TRUE(outcome.error.isEmpty()) << outcome.error.toStdString();
        const auto stored = allEntries();
        ASSERT_EQ(stored.size(), 1u);
        EXPECT_EQ(stored[0].fraction, fraction);
        EXPECT_EQ(stored[0].phone, QStringLiteral("4950000000"));
    }
}

TEST_F(MendedFaults, QuotesInReferenceDataAreStoredAsRead)
{
    fillTable(QStringLiteral("ul"), QStringLiteral("ul"), QStringList(52, QStringLiteral("Улица \"Заря\"")));
    find(fieldsOf({{Surname, QStringLiteral("Кац")}}), seedMaking(1));
    const auto stored = allEntries();
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(stored[0].street, QStringLiteral("Улица \"Заря\""));
}

// 2. The house-and-flat filter in decimal

TEST_F(MendedFaults, HexadecimalHouseFindsItsDecimalValue)
{
    addEntry({QStringLiteral("Иванов"), {}, {}, {}, {}, 12, {}, 31});
    addEntry({QStringLiteral("Иванов"), {}, {}, {}, {}, 13, {}, 31});

    const ShownOutcome outcome = find(fieldsOf({{Surname, QStringLiteral("Иванов")}, {House, QStringLiteral("$C")}, {Flat, QStringLiteral("0x1F")}}), 0);

    EXPECT_TRUE(outcome.error.isEmpty()) << outcome.error.toStdString();
    EXPECT_EQ(outcome.message, QStringLiteral("Найдено: 1"));
    EXPECT_EQ(sent.first(), QStringLiteral("select * from tab where fam=\"Иванов\" and dom=12 and kv=31"));
}

TEST_F(MendedFaults, DecimalSpellingsOfTheSameHouseFindTheSameRows)
{
    addEntry({QStringLiteral("Иванов"), {}, {}, {}, {}, 12, {}, 1});
    for (const QString &house : {QStringLiteral("12"), QStringLiteral("012"), QStringLiteral("+12"), QStringLiteral(" 12")}) {
        EXPECT_EQ(find(fieldsOf({{Surname, QStringLiteral("Иванов")}, {House, house}}), 0).message, QStringLiteral("Найдено: 1"))
            << house.toStdString();
    }
    EXPECT_EQ(allEntries().size(), 1u);
}

TEST_F(MendedFaults, TwosComplementHouseFindsEntriesInventedWithIt)
{
    const auto fields = fieldsOf({{Surname, QStringLiteral("Иванов")}, {House, QStringLiteral("$FFFFFFFF")}});
    ASSERT_EQ(find(fields, seedMaking(2)).message, QStringLiteral("Найдено: 2"));
    EXPECT_EQ(allEntries().front().house, -1);
    EXPECT_EQ(find(fields, seedMaking(3)).message, QStringLiteral("Найдено: 2"));
    EXPECT_EQ(sent.first(), QStringLiteral("select * from tab where fam=\"Иванов\" and dom=-1"));
}

// 3. Nothing to show leaves an empty directory result

TEST_F(MendedFaults, NameLookupInventingNoneShowsNoGenderCheckRows)
{
    fillTable(QStringLiteral("im"), QStringLiteral("im"), {QStringLiteral("Иван")});
    const ShownOutcome outcome = find(fieldsOf({{Surname, QStringLiteral("Орлов")}, {GivenName, QStringLiteral("Иван")}}), seedMaking(0));
    EXPECT_EQ(outcome.message, QStringLiteral("Найдено: 0"));
    expectEmptyDirectoryResult(channel());
}

TEST_F(MendedFaults, NameLookupInventingNoneWithoutNameShowsEmptyDirectory)
{
    find(fieldsOf({{Surname, QStringLiteral("Орлов")}}), seedMaking(0));
    expectEmptyDirectoryResult(channel());
}

TEST_F(MendedFaults, RefusedNumberShowsNoReferenceRows)
{
    find(fieldsOf({{Phone, QStringLiteral("8121234567")}}), 0); // after the prefix check
    expectEmptyDirectoryResult(channel());
    find(fieldsOf({{Phone, QStringLiteral("81212")}}), 0); // after the phone scheme
    expectEmptyDirectoryResult(channel());
    setScheme(0, 7);
    find(fieldsOf({{Phone, QStringLiteral("81212")}}), 0);
    expectEmptyDirectoryResult(channel());
}

// 4. Another copy of the program storing entries in the middle of a search

TEST_F(MendedFaults, EntriesAnotherCopyStoresMeanwhileAreNotShown)
{
    // The other copy has its own connection to the file and stores an entry just before the search
    // selects what it shows, the newest entry then being the other's (while the search inserts, its
    // transaction holds every other writer off).
    store::Connection otherConnection(dir.filePath(QStringLiteral("history.dat")));
    store::QueryChannel other(otherConnection);
    const DirectoryEntry foreign{QStringLiteral("Чужой"), {}, {}, QStringLiteral("1"), {}, 1, {}, 1};
    QObject::connect(&channel(), &store::QueryChannel::statementSent, [&](const QString &statement) {
        if (statement.startsWith(QLatin1String("select * from tab where id in")))
            other.exec(statements::insert(foreign));
    });

    struct Case {
        SearchFields fields;
        QString message;
        std::size_t made;
    };
    for (const Case &c : {Case{fieldsOf({{Surname, QStringLiteral("Орлов")}}), QStringLiteral("Найдено: 3"), 3},
                          Case{fieldsOf({{Phone, QStringLiteral("4950000000")}}), QString(), 1}}) {
        exec(QStringLiteral("delete from tab"));
        const ShownOutcome outcome = find(c.fields, seedMaking(3));
        EXPECT_EQ(outcome.message, c.message);
        std::vector<DirectoryEntry> own = allEntries();
        const auto others = std::erase(own, foreign);
        EXPECT_GE(others, 1u);
        ASSERT_EQ(own.size(), c.made);
        EXPECT_EQ(shownEntries(), std::vector<DirectoryEntry>(own.rbegin(), own.rend()));
    }
}

// 5. A phone scheme that is missing or incomplete

TEST_F(MendedFaults, MissingOrIncompleteSchemeEndsEitherLookupWithoutInserting)
{
    struct Scheme {
        bool row;
        std::optional<qint64> s, tel;
        const char *named; // what the message has to name besides param
    };
    // tel only counts in the fixed-length scheme (s = 0); there it is the number's length, which a
    // runaway value would make a text of billions of digits.
    for (const Scheme &scheme : {Scheme{false, 1, 10, ""}, Scheme{true, std::nullopt, 10, "s"}, Scheme{true, 0, std::nullopt, "tel"},
                                 Scheme{true, std::nullopt, std::nullopt, "s"}, Scheme{true, 0, 0, "tel"}, Scheme{true, 0, -7, "tel"},
                                 Scheme{true, 0, 21, "tel"}, Scheme{true, 0, 7495123456, "tel"}}) {
        setScheme(scheme.s, scheme.tel);
        if (!scheme.row)
            exec(QStringLiteral("delete from param"));
        for (const SearchFields &fields : {fieldsOf({{Surname, QStringLiteral("Орлов")}}), fieldsOf({{Phone, QStringLiteral("4950000000")}})}) {
            const ShownOutcome outcome = find(fields, seedMaking(4));
            EXPECT_TRUE(outcome.error.contains(QStringLiteral("param"))) << outcome.error.toStdString();
            EXPECT_TRUE(outcome.error.contains(QLatin1String(scheme.named))) << outcome.error.toStdString();
            EXPECT_EQ(outcome.message, QString());
            EXPECT_FALSE(channel().hasResult());
        }
        EXPECT_TRUE(allEntries().empty());
    }
}

TEST_F(MendedFaults, SchemesThatNeedNoMoreInventEntries)
{
    struct Scheme {
        std::optional<qint64> s, tel;
        qsizetype phoneLength;
    };
    for (const Scheme &scheme : {Scheme{1, std::nullopt, 10}, Scheme{0, 1, 1}, Scheme{0, 20, 20}}) {
        setScheme(scheme.s, scheme.tel);
        exec(QStringLiteral("delete from tab"));
        const ShownOutcome outcome = find(fieldsOf({{Surname, QStringLiteral("Орлов")}}), seedMaking(2));
        EXPECT_TRUE(outcome.error.isEmpty()) << outcome.error.toStdString();
        EXPECT_EQ(outcome.message, QStringLiteral("Найдено: 2"));
        for (const DirectoryEntry &e : allEntries())
            EXPECT_EQ(e.phone.size(), scheme.phoneLength) << e.phone.toStdString();
    }
    setScheme(1, std::nullopt);
    EXPECT_TRUE(find(fieldsOf({{Phone, QStringLiteral("4950000000")}}), 0).error.isEmpty());
    EXPECT_EQ(entries(QStringLiteral("select * from tab where tele=\"4950000000\"")).size(), 1u);
}
