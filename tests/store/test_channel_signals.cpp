#include "tests/store/channelfixture.h"

#include <QSignalSpy>

using namespace Qt::Literals::StringLiterals;

namespace {

QStringList statements(const QSignalSpy &spy)
{
    QStringList sent;
    for (const QList<QVariant> &arguments : spy)
        sent.append(arguments.at(0).toString());
    return sent;
}

} // namespace

TEST_F(ChannelTest, EveryRunAndExecIsAnnouncedWithItsJetText)
{
    QSignalSpy sent(&channel, &store::QueryChannel::statementSent);
    const QString insert = uR"(insert into tab (fam,im,ot,tele,ul,dom,domd,kv) values("А","Б","В","1","Г",1,"",2))"_s;
    channel.run(u"select s,tel from param"_s);
    channel.exec(insert);
    channel.write(u"delete from tab where id = ?"_s, {1});
    channel.run(u"select top 1 * from tab order by id Desc"_s);
    EXPECT_EQ(statements(sent),
              QStringList({u"select s,tel from param"_s, insert, u"select top 1 * from tab order by id Desc"_s}));
}

TEST_F(ChannelTest, RefusedStatementIsAnnouncedToo)
{
    QSignalSpy sent(&channel, &store::QueryChannel::statementSent);
    EXPECT_THROW(channel.run(uR"(select * from tab where fam="x)"_s), store::StoreError);
    EXPECT_EQ(sent.count(), 1);
}

TEST_F(ChannelTest, RunAndExecChangeTheResultOnceEach)
{
    QSignalSpy changed(&channel, &store::QueryChannel::resultChanged);
    channel.run(u"select * from fam"_s);
    EXPECT_EQ(changed.count(), 1);
    channel.exec(u"delete from tab where id=0"_s);
    EXPECT_EQ(changed.count(), 2);
    channel.run(u"select * from im"_s);
    EXPECT_EQ(changed.count(), 3);
}

TEST_F(ChannelTest, FailedRunStillEmptiesTheGrid)
{
    channel.run(u"select * from fam"_s);
    QSignalSpy changed(&channel, &store::QueryChannel::resultChanged);
    EXPECT_THROW(channel.run(u"select * from nothere"_s), store::StoreError);
    EXPECT_EQ(changed.count(), 1);
    EXPECT_FALSE(channel.hasResult());
    EXPECT_EQ(channel.count(), 0);
}

TEST_F(ChannelTest, ResultIsNewWhenTheGridHearsOfIt)
{
    int rowsSeen = -1;
    QObject::connect(&channel, &store::QueryChannel::resultChanged, [&] { rowsSeen = channel.fetched(); });
    channel.run(u"select * from fam where id <= 1"_s);
    EXPECT_EQ(rowsSeen, 1);
    channel.exec(u"delete from tab where id=0"_s);
    EXPECT_EQ(rowsSeen, 0);
}

TEST_F(ChannelTest, CloseAnnouncesOnlyAnActualChange)
{
    QSignalSpy changed(&channel, &store::QueryChannel::resultChanged);
    channel.close();
    EXPECT_EQ(changed.count(), 0);
    channel.run(u"select * from fam"_s);
    channel.close();
    EXPECT_EQ(changed.count(), 2);
}

TEST_F(ChannelTest, WriteDoesNotChangeTheResult)
{
    channel.run(u"select * from fam"_s);
    QSignalSpy changed(&channel, &store::QueryChannel::resultChanged);
    addEntry(u"Тихо"_s);
    EXPECT_EQ(changed.count(), 0);
}
