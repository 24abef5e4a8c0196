// A search through an outage of the server, on a server of the test's own that it stops and starts.
#include "store/connection.h"
#include "store/querychannel.h"
#include "lookup/randomsource.h"
#include "lookup/search.h"
#include "tests/lookup/shownoutcome.h"
#include "tests/lookup/searchfieldsbuilder.h"
#include "tests/server/ownserver.h"
#include "tests/server/serversession.h"

#include <gtest/gtest.h>

#include <string>

using namespace Qt::Literals::StringLiterals;
using namespace lookup;
using enum store::EntryField;

// An outage (the server stopped fast or at once and started again, or an administrator ending the
// session) costs the long-lived window no failed search once the server is back: the lookup, a read,
// runs again on a new connection. While the server is down a search fails with one Russian message,
// the engine's text on a line of its own, and the next search after the restart works.
class SearchThroughOutage : public ::testing::TestWithParam<std::string> {
protected:
    static void SetUpTestSuite()
    {
        server = new OwnServer({u"--durable"_s}); // what was committed must survive an immediate stop
        server->newDirectory(u"office"_s);
    }
    static void TearDownTestSuite()
    {
        delete server;
        server = nullptr;
    }

    SearchThroughOutage() { connection.setServer(server->conninfo(u"office"_s)); }

    ShownOutcome find() { return search(channel, random, fieldsOf({{Surname, u"Простоев"_s}})); }
    void expectFound()
    {
        const ShownOutcome outcome = find();
        EXPECT_TRUE(outcome.error.isEmpty()) << outcome.error.toStdString();
        EXPECT_TRUE(outcome.message.value_or(QString()).startsWith(u"Найдено: "_s));
    }

    static inline OwnServer *server = nullptr;
    store::Connection connection;
    store::QueryChannel channel{connection};
    RandomSource random;
};

TEST_P(SearchThroughOutage, CostsNoSearchOnceTheServerIsBack)
{
    expectFound();
    if (GetParam() == "terminate") {
        ServerSession admin(server->conninfo());
        ASSERT_EQ(admin.value("select bool_and(pg_terminate_backend(pid, 5000)) from pg_stat_activity "
                              "where application_name = 'zelvik'"),
                  "t");
        expectFound();
        return;
    }
    server->halt(QString::fromStdString(GetParam()));
    const ShownOutcome down = find();
    EXPECT_TRUE(down.error.startsWith(u"Не удалось подключиться к серверу справочника"_s)
                || down.error.startsWith(u"Связь с сервером справочника"_s))
        << down.error.toStdString();
    EXPECT_EQ(down.error.count(u"\nПодробности: "_s), 1) << down.error.toStdString();
    EXPECT_FALSE(down.error.contains(u'\t'));
    server->resume();
    expectFound();
    server->halt(QString::fromStdString(GetParam()));
    server->resume();
    expectFound();
}

INSTANTIATE_TEST_SUITE_P(Outages, SearchThroughOutage,
                         ::testing::Values("fast", "immediate", "terminate"),
                         [](const ::testing::TestParamInfo<std::string> &info) { return info.param; });
