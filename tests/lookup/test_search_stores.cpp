// Both searches on both stores: what a search invents it stores and shows, only that, even while
// another operator adds entries to the same directory.
#include "store/connection.h"
#include "store/querychannel.h"
#include "lookup/randomsource.h"
#include "lookup/search.h"
#include "tests/lookup/shownoutcome.h"
#include "tests/lookup/searchfieldsbuilder.h"
#include "tests/server/testdirectory.h"
#include "tests/support/seeds.h"

#include <QObject>

#include <utility>

using namespace Qt::Literals::StringLiterals;
using namespace lookup;
using enum store::EntryField;

namespace {

class SearchOnStores : public ::testing::TestWithParam<StoreKind> {
protected:
    SearchOnStores()
        : directory(GetParam())
    {
        directory.configure(connection);
        directory.configure(otherConnection);
    }

    // Another operator stores an entry just before each statement of the search that shows rows:
    // the search must show its own rows all the same.
    void interfereBeforeEverySelectOfTab()
    {
        QObject::connect(&channel, &store::QueryChannel::statementSent, [this](const QString &statement) {
            if (statement.contains(u"from tab"_s))
                other.exec(uR"(insert into tab (fam,im,ot,tele,ul,dom,domd,kv) values("Чужаков","Ч","Ч","4950000000","Ч",1,"",1))"_s);
        });
    }

    QStringList shown(const QString &column)
    {
        channel.fetch(INT_MAX);
        QStringList values;
        const int c = int(channel.columnNames().indexOf(column));
        for (int r = 0; r < channel.fetched(); ++r)
            values << channel.cell(r, c).toString();
        return values;
    }

    ShownOutcome find(const SearchFields &fields, std::uint32_t seed)
    {
        random.setFixedSeed(seed);
        return search(channel, random, fields);
    }

    TestDirectory directory;
    store::Connection connection;
    store::Connection otherConnection;
    store::QueryChannel channel{connection};
    store::QueryChannel other{otherConnection};
    RandomSource random;
};

TEST_P(SearchOnStores, InventedEntriesAreShownAloneAndFoundAgain)
{
    interfereBeforeEverySelectOfTab();
    const std::uint32_t seed = seeds::inventing(4);
    const ShownOutcome first = find(fieldsOf({{Surname, u"петров"_s}}), seed);
    EXPECT_EQ(first.message, u"Найдено: 4"_s) << first.error.toStdString();
    EXPECT_EQ(shown(u"fam"_s), QStringList(4, u"Петров"_s));

    QObject::disconnect(&channel, &store::QueryChannel::statementSent, nullptr, nullptr);
    const ShownOutcome again = find(fieldsOf({{Surname, u"ПЕТРОВ"_s}}), seed);
    EXPECT_EQ(again.message, u"Найдено: 4"_s);
}

// The house fraction is never checked: a fraction longer than the store holds meets the store's
// refusal when the first invented entry would store it, and nothing is stored.
TEST_P(SearchOnStores, FractionLongerThanTheStoreHoldsStoresNothing)
{
    const ShownOutcome outcome = find(fieldsOf({{Surname, u"петров"_s}, {Fraction, QString(256, u'а')}}), seeds::inventing(4));
    EXPECT_TRUE(outcome.error.contains(u"не длиннее 255 символов"_s)) << outcome.error.toStdString();
    other.run(u"select count(*) as m from tab"_s);
    EXPECT_EQ(other.integer(u"m"_s), 0);
}

TEST_P(SearchOnStores, InventedSubscriberIsShownAloneAndFoundAgain)
{
    interfereBeforeEverySelectOfTab();
    const ShownOutcome first = find(fieldsOf({{Phone, u"4951112233"_s}}), 7);
    EXPECT_TRUE(first.error.isEmpty()) << first.error.toStdString();
    EXPECT_EQ(shown(u"tele"_s), QStringList{u"4951112233"_s});
    QObject::disconnect(&channel, &store::QueryChannel::statementSent, nullptr, nullptr);
    find(fieldsOf({{Phone, u"4951112233"_s}}), 7);
    EXPECT_EQ(shown(u"tele"_s), QStringList{u"4951112233"_s});
}

} // namespace

INSTANTIATE_TEST_SUITE_P(Stores, SearchOnStores, bothStores(), storeName);

// The server drops the connection just before a search stores the entry it invented: a write is
// never run twice (its commit may have happened), so that search ends with one clear message, and
// the next one connects again and does all its work.
TEST(SearchOnServer, ConnectionDroppedBeforeAWriteIsOneErrorAndTheNextSearchWorks)
{
    const TestDirectory directory(StoreKind::Server);
    store::Connection connection;
    store::Connection killerConnection;
    directory.configure(connection);
    directory.configure(killerConnection);
    store::QueryChannel channel(connection);
    store::QueryChannel killer(killerConnection);
    channel.run(u"select pg_backend_pid() as m"_s);
    const qint64 pid = channel.integer(u"m"_s);
    bool killed = false;
    QObject::connect(&channel, &store::QueryChannel::statementSent, [&](const QString &statement) {
        if (statement.startsWith(u"insert"_s) && !std::exchange(killed, true))
            killer.run(u"select pg_terminate_backend(%1, 5000) as m"_s.arg(pid)); // waits until it is gone
    });
    RandomSource random;
    random.setFixedSeed(7);
    const ShownOutcome dropped = search(channel, random, fieldsOf({{Phone, u"4951112233"_s}}));
    ASSERT_TRUE(killed);
    EXPECT_TRUE(dropped.error.startsWith(u"Связь с сервером справочника"_s)) << dropped.error.toStdString();

    QObject::disconnect(&channel, &store::QueryChannel::statementSent, nullptr, nullptr);
    const ShownOutcome next = search(channel, random, fieldsOf({{Phone, u"4951112233"_s}}));
    EXPECT_TRUE(next.error.isEmpty()) << next.error.toStdString();
    EXPECT_EQ(channel.count(), 1);
}
