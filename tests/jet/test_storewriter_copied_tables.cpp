#include "tests/jet/storecontents.h"
#include "tests/jet/writersupport.h"

#include "store/storeerror.h"
#include "store/sqlite/sqlitehandle.h"

#include <gtest/gtest.h>

using jet::ColumnKind;
using jet::StoreWriter;

namespace {

class CopiedTable : public ::testing::Test {
protected:
    // A table of every kind of column, one row of values and one of NULLs.
    void SetUp() override
    {
        StoreWriter writer(m_store.path());
        writeTable(
            writer,
            sourceTable("Все типы",
                        {column("ID", ColumnKind::Integer, true), column("yes", ColumnKind::Boolean),
                         column("real", ColumnKind::Real), column("money", ColumnKind::Money),
                         column("when", ColumnKind::DateTime), column("note", ColumnKind::Memo),
                         column("picture", ColumnKind::OleObject), column("guid", ColumnKind::Guid),
                         column("odd \"name\"", ColumnKind::Text)}),
            {{qint64(40), qint64(1), 0.1, text("12.3400"), text("2003-05-01 12:30:00"), text("Μῆνιν ἄειδε — 漢字 😀"),
              QByteArray("\0\x01\xFF", 3), text("{3DC7EEF3-F7F2-430B-A302-31B83359D4E5}"), text("")},
             {qint64(3), qint64(0), QVariant(), QVariant(), QVariant(), QVariant(), QVariant(), QVariant(),
              QVariant()}});
        writer.finish();
    }

    ScratchStore m_store;
};

TEST_F(CopiedTable, ValuesKeepTheirKinds)
{
    StoreContents contents(m_store.path());
    const QList<QVariantList> rows = contents.rows(QStringLiteral("SELECT * FROM \"Все типы\" ORDER BY ID DESC"));
    ASSERT_EQ(rows.size(), 2);
    const QVariantList &r = rows[0];
    ASSERT_EQ(r.size(), 9);
    EXPECT_EQ(r[0], QVariant(qint64(40)));
    EXPECT_EQ(r[1], QVariant(qint64(1)));
    EXPECT_EQ(r[2].typeId(), QMetaType::Double);
    EXPECT_EQ(r[2].toDouble(), 0.1);
    EXPECT_EQ(r[3].toDouble(), 12.34);
    EXPECT_EQ(r[4], QVariant(text("2003-05-01 12:30:00")));
    EXPECT_EQ(r[5], QVariant(text("Μῆνιν ἄειδε — 漢字 😀"))); // outside Windows-1251, kept as it is
    EXPECT_EQ(r[6], QVariant(QByteArray("\0\x01\xFF", 3)));
    EXPECT_EQ(r[8].typeId(), QMetaType::QString);
}

TEST_F(CopiedTable, NullsStayNull)
{
    StoreContents contents(m_store.path());
    const QList<QVariantList> rows = contents.rows(QStringLiteral("SELECT * FROM \"Все типы\" WHERE ID = 3"));
    ASSERT_EQ(rows.size(), 1);
    for (qsizetype i = 2; i < rows[0].size(); ++i)
        EXPECT_TRUE(rows[0][i].isNull()) << i;
}

TEST_F(CopiedTable, AutonumberKeyGoesOnCounting)
{
    {
        sqlite3 *db = nullptr;
        sqlite3_open_v2(m_store.path().toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
        const store::SqliteHandle handle(db);
        store::registerCollation(db);
        EXPECT_EQ(sqlite3_exec(db, "INSERT INTO \"Все типы\" (yes) VALUES (0)", nullptr, nullptr, nullptr), SQLITE_OK);
    }
    StoreContents contents(m_store.path());
    EXPECT_EQ(contents.scalar(QStringLiteral("SELECT max(ID) FROM \"Все типы\"")), QVariant(qint64(41)));
}

TEST_F(CopiedTable, TextComparesWithoutRegardToCase)
{
    StoreContents contents(m_store.path());
    EXPECT_EQ(contents.scalar(QStringLiteral(
                  "SELECT count(*) FROM \"Все типы\" WHERE guid = '{3dc7eef3-f7f2-430b-a302-31b83359d4e5}'")),
              QVariant(qint64(1)));
}

TEST(StoreWriterCopiedTables, IntegerKeyWithoutAutonumberStaysAKey)
{
    ScratchStore store;
    {
        StoreWriter writer(store.path());
        jet::SourceTable table
            = sourceTable("Table1", {column("id", ColumnKind::Integer), column("data", ColumnKind::Text)});
        table.columns[0].primaryKey = true;
        writeTable(writer, table, {{qint64(0), text("foo0")}, {qint64(2), text("foo2")}});
        writer.finish();
    }
    StoreContents contents(store.path());
    EXPECT_EQ(contents.scalar(QStringLiteral("SELECT count(*) FROM sqlite_sequence WHERE name = 'Table1'")),
              QVariant(qint64(0)));
    EXPECT_EQ(contents.scalar(QStringLiteral("SELECT pk FROM pragma_table_info('Table1') WHERE name = 'id'")),
              QVariant(qint64(1)));
}

TEST(StoreWriterCopiedTables, DuplicateKeyIsAnError)
{
    ScratchStore store;
    StoreWriter writer(store.path());
    writer.beginTable(sourceTable("T", {column("id", ColumnKind::Integer, true)}));
    writer.addRow({qint64(1)});
    EXPECT_THROW(writer.addRow({qint64(1)}), store::StoreError);
}

} // namespace
