#include "store/sqlite/collation.h"
#include "store/storeerror.h"
#include "store/schema.h"
#include "tests/store/sqlitedatabase.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class Schema : public ::testing::Test {
protected:
    void SetUp() override { store::createSchema(db.handle()); }
    SqliteDatabase db;
};

std::string text(std::string_view v)
{
    return std::string(v);
}

} // namespace

TEST_F(Schema, EveryTableHasItsColumnsAndIsStrict)
{
    for (const store::TableDef &table : store::programTables()) {
        const std::string name = text(table.name);
        EXPECT_EQ(db.scalar("select strict from pragma_table_list where name='" + name + "'"), "1") << name;
        EXPECT_EQ(db.scalar("select count(*) from pragma_table_info('" + name + "')"),
                  std::to_string(table.columns.size()))
            << name;
        for (const store::ColumnDef &column : table.columns)
            EXPECT_EQ(db.scalar("select count(*) from pragma_table_info('" + name + "') where name='"
                                + text(column.name) + "'"),
                      "1")
                << name << "." << column.name;
    }
}

TEST_F(Schema, HoldsTheNineTablesOfTheDirectory)
{
    EXPECT_EQ(db.scalar("select group_concat(name, ' ') from (select name from sqlite_master where type='table' "
                        "and name not like 'sqlite%' order by name)"),
              "fam im im2 ot ot2 param tab tel ul");
}

TEST_F(Schema, EveryTextColumnComparesWithoutCase)
{
    for (const store::TableDef &table : store::programTables())
        for (const store::ColumnDef &column : table.columns) {
            if (column.kind != store::ColumnKind::Text)
                continue;
            const std::string t = text(table.name), c = text(column.name);
            ASSERT_EQ(db.exec("insert into " + t + "(" + c + ") values('Ёлкин-Ivanov')"), SQLITE_OK) << db.error();
            EXPECT_EQ(db.scalar("select count(*) from " + t + " where " + c + "='ёЛКИН-iVANOV'"), "1") << t << "." << c;
        }
}

TEST_F(Schema, NumberColumnsRefuseText)
{
    EXPECT_NE(db.exec("insert into tab(fam, dom) values('x', 'двенадцать')"), SQLITE_OK);
    EXPECT_NE(db.exec("insert into tab(fam, kv) values('x', 'abc')"), SQLITE_OK);
    EXPECT_NE(db.exec("insert into param(s, tel) values('a', 7)"), SQLITE_OK);
    EXPECT_EQ(db.exec("insert into tab(fam, dom, kv) values('x', '12', 5)"), SQLITE_OK) << db.error();
    EXPECT_EQ(db.scalar("select typeof(dom) from tab"), "integer");
}

TEST_F(Schema, TextColumnsKeepDigitsAsText)
{
    ASSERT_EQ(db.exec("insert into tab(tele) values('0123')"), SQLITE_OK);
    EXPECT_EQ(db.scalar("select tele from tab"), "0123");
}

TEST_F(Schema, DirectoryIdsAscendAndAreNeverReused)
{
    ASSERT_EQ(db.exec("insert into tab(fam) values('a'); insert into tab(fam) values('b'); insert into tab(fam) values('c');"
                      "delete from tab where id=3; insert into tab(fam) values('d');"),
              SQLITE_OK);
    EXPECT_EQ(db.scalar("select id from tab where fam='d'"), "4");
}

TEST_F(Schema, LookupByNameNarrowedByHouseAndFlatUsesTheNameIndex)
{
    const std::string plan = db.plan("select * from tab where fam='a' and im='b' and ot='c' and dom=12 and kv=5");
    EXPECT_NE(plan.find("USING INDEX tab_fam (fam=? AND im=? AND ot=?)"), std::string::npos) << plan;
    const std::string bySurname =
        db.plan("select * from tab where fam='a'");
    EXPECT_NE(bySurname.find("USING INDEX tab_fam (fam=?)"), std::string::npos) << bySurname;
}

TEST_F(Schema, LookupByPhoneUsesThePhoneIndex)
{
    const std::string plan =
        db.plan("select * from tab where tele='4951234567'");
    EXPECT_NE(plan.find("USING INDEX tab_tele (tele=?)"), std::string::npos) << plan;
}

TEST_F(Schema, SecondCreationFailsAndChangesNothing)
{
    ASSERT_EQ(db.exec("insert into fam(id, fam) values(1, 'Иванов')"), SQLITE_OK);
    EXPECT_THROW(store::createSchema(db.handle()), store::StoreError);
    EXPECT_EQ(db.scalar("select fam from fam where id=1"), "Иванов");
    EXPECT_EQ(db.scalar("select count(*) from sqlite_master where type='index' and name like 'tab_%'"), "2");
}

TEST(SchemaWithoutCollation, AToolWithoutTheCollationFailsLoudly)
{
    SqliteDatabase plain;
    ASSERT_EQ(plain.exec(store::schemaScript()), SQLITE_ERROR); // not even the tables can be made
    EXPECT_NE(plain.error().find("no such collation sequence"), std::string::npos) << plain.error();
}
