#include "tests/jet/writersupport.h"

#include "store/connection.h"
#include "store/storeerror.h"
#include "store/querychannel.h"

#include <gtest/gtest.h>

using jet::ColumnKind;
using jet::StoreWriter;

namespace {

const jet::SourceTable kTab = sourceTable(
    "tab",
    {column("id", ColumnKind::Integer, true), column("fam", ColumnKind::Text), column("im", ColumnKind::Text),
     column("ot", ColumnKind::Text), column("tele", ColumnKind::Text), column("ul", ColumnKind::Text),
     column("dom", ColumnKind::Integer), column("domd", ColumnKind::Text), column("kv", ColumnKind::Integer)});

jet::SourceRow entry(qint64 id, const char *fam, const char *im, const QVariant &domd = QString())
{
    return {id, text(fam), text(im), text("Петрович"), text("2345678"), text("Ленина"), qint64(12), domd, qint64(3)};
}

// A store the way a Jet history.dat arrives: ids with gaps, not in order, and reference tables
// whose names differ in case from the program's.
void writeDirectory(const QString &path)
{
    StoreWriter writer(path);
    writeTable(writer, kTab,
               {entry(17, "Иванов", "Иван"), entry(5, "Петров", "Пётр", QVariant()), entry(9, "ИВАНОВ", "Олег")});
    writeTable(writer, sourceTable("FAM", {column("ID", ColumnKind::Integer), column("Fam", ColumnKind::Text)}),
               {{qint64(1), text("Сидоров")}, {qint64(2), text("Ёлкин")}});
    writeTable(writer, sourceTable("im2", {column("id", ColumnKind::Integer), column("im", ColumnKind::Text)}),
               {{qint64(1), text("Анна")}});
    writeTable(writer, sourceTable("param", {column("s", ColumnKind::Integer), column("tel", ColumnKind::Integer)}),
               {{qint64(1), qint64(10)}});
    writer.finish();
}

class WrittenDirectory : public ::testing::Test {
protected:
    void SetUp() override
    {
        writeDirectory(m_store.path());
        m_connection = std::make_unique<store::Connection>(m_store.path());
        m_channel = std::make_unique<store::QueryChannel>(*m_connection);
        m_channel->connect();
    }

    ScratchStore m_store;
    std::unique_ptr<store::Connection> m_connection;
    std::unique_ptr<store::QueryChannel> m_channel;
};

TEST_F(WrittenDirectory, LookupIgnoresCaseAsJetDid)
{
    m_channel->run(QStringLiteral("select * from tab where fam=\"иванов\" order by id"));
    ASSERT_EQ(m_channel->count(), 2);
    EXPECT_EQ(m_channel->text(QStringLiteral("fam")), QStringLiteral("ИВАНОВ"));
    EXPECT_EQ(m_channel->integer(QStringLiteral("id")), 9);
}

TEST_F(WrittenDirectory, IdsAreKeptAndTheNextOneFollowsTheLargest)
{
    m_channel->run(QStringLiteral("select id from tab where im=\"Пётр\""));
    EXPECT_EQ(m_channel->integer(QStringLiteral("id")), 5);
    m_channel->exec(QStringLiteral("insert into tab (fam, im) values (\"Новиков\", \"Илья\")"));
    m_channel->run(QStringLiteral("select top 1 id, fam from tab order by id Desc"));
    EXPECT_EQ(m_channel->integer(QStringLiteral("id")), 18);
    EXPECT_EQ(m_channel->text(QStringLiteral("fam")), QStringLiteral("Новиков"));
}

TEST_F(WrittenDirectory, NullStaysApartFromEmptyText)
{
    m_channel->run(QStringLiteral("select domd from tab where id=5"));
    EXPECT_TRUE(m_channel->value(QStringLiteral("domd")).isNull());
    m_channel->run(QStringLiteral("select domd from tab where id=17"));
    EXPECT_FALSE(m_channel->value(QStringLiteral("domd")).isNull());
    EXPECT_EQ(m_channel->text(QStringLiteral("domd")), QString());
}

TEST_F(WrittenDirectory, ReferenceTablesGoIntoTheProgramsOwn)
{
    m_channel->run(QStringLiteral("select fam from fam where id=2"));
    EXPECT_EQ(m_channel->text(QStringLiteral("fam")), QStringLiteral("Ёлкин"));
    m_channel->run(QStringLiteral("select im from im2 where id=1"));
    EXPECT_EQ(m_channel->text(QStringLiteral("im")), QStringLiteral("Анна"));
    m_channel->run(QStringLiteral("select s,tel from param"));
    EXPECT_EQ(m_channel->integer(QStringLiteral("tel")), 10);
    // tables the Jet file lacked are there, empty
    m_channel->run(QStringLiteral("select count(*) as m from ot2"));
    EXPECT_EQ(m_channel->integer(QStringLiteral("m")), 0);
}

TEST(StoreWriterProgramTables, ColumnTheProgramDoesNotKnowIsAdded)
{
    ScratchStore store;
    {
        StoreWriter writer(store.path());
        writeTable(writer,
                   sourceTable("ul",
                               {column("id", ColumnKind::Integer), column("ul", ColumnKind::Text),
                                column("район", ColumnKind::Text)}),
                   {{qint64(1), text("Ленина"), text("Центральный")}});
        writer.finish();
    }
    store::Connection connection(store.path());
    store::QueryChannel channel(connection);
    channel.run(QStringLiteral("select * from ul where район=\"центральный\""));
    ASSERT_EQ(channel.count(), 1);
    EXPECT_EQ(channel.text(QStringLiteral("ul")), QStringLiteral("Ленина"));
}

TEST(StoreWriterProgramTables, ValueThatDoesNotFitIsAnErrorNotALoss)
{
    ScratchStore store;
    StoreWriter writer(store.path());
    writer.beginTable(kTab);
    try {
        writer.addRow({qint64(1), text("Иванов"), text("Иван"), text("И"), text("1"), text("Ленина"), text("12а"),
                       text(""), qint64(1)});
        FAIL() << "a house number with a letter went into an INTEGER column";
    } catch (const store::StoreError &error) {
        EXPECT_EQ(error.kind(), store::StoreError::Kind::RowNotWritten) << error.what();
        EXPECT_EQ(error.details(), QStringList({QStringLiteral("tab"), QStringLiteral("1")})) << error.what();
    }
}

TEST(StoreWriterProgramTables, NothingIsCommittedWithoutFinish)
{
    ScratchStore store;
    {
        StoreWriter writer(store.path());
        writeTable(writer, kTab, {entry(1, "Иванов", "Иван")});
    }
    store::Connection connection(store.path());
    store::QueryChannel channel(connection);
    EXPECT_THROW(channel.run(QStringLiteral("select * from tab")), store::StoreError);
}

TEST(StoreWriterProgramTables, FileWithTablesIsNotWrittenInto)
{
    ScratchStore store;
    {
        StoreWriter writer(store.path());
        writer.finish();
    }
    EXPECT_THROW(StoreWriter second(store.path()), store::StoreError);
}

} // namespace
