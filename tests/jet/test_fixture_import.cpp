#include "tests/jet/fixtures.h"
#include "tests/jet/storecontents.h"
#include "tests/jet/writersupport.h"

#include <gtest/gtest.h>

using jet::importJetFile;

namespace {

QStringList tableNames(const StoreContents &contents)
{
    QStringList names;
    for (const QVariantList &row : contents.rows(QStringLiteral(
             "SELECT name FROM sqlite_schema WHERE type = 'table' AND name NOT LIKE 'sqlite_%' ORDER BY name")))
        names.append(row.first().toString());
    return names;
}

qint64 count(const StoreContents &contents, const QString &table)
{
    return contents.scalar(QStringLiteral("SELECT count(*) FROM \"%1\"").arg(table)).toLongLong();
}

const QStringList kProgramTables{"fam", "im", "im2", "ot", "ot2", "param", "tab", "tel", "ul"};

QStringList withProgramTables(QStringList names)
{
    names += kProgramTables;
    names.sort();
    return names;
}

TEST(FixtureImport, UnicodeTextArrivesIntact)
{
    REQUIRE_FIXTURE("testUnicodeCompV2003.mdb");
    ScratchStore store;
    const jet::ImportSummary summary
        = importJetFile(fixture("testUnicodeCompV2003.mdb"), store.path(), {}, testImportOptions());
    ASSERT_EQ(summary.tables.size(), 1);
    EXPECT_EQ(summary.tables[0].source, QStringLiteral("Table"));
    EXPECT_EQ(summary.tables[0].rows, 8);

    StoreContents contents(store.path());
    EXPECT_EQ(tableNames(contents), withProgramTables({"Table"}));
    QString everyCharacter;
    for (char16_t c = 1; c <= 0xFF; ++c)
        everyCharacter.append(QChar(c));
    const QStringList expected{text("only ascii chars"), text("ääkkösiä"), text("Мир"),
                               // written with escapes: an editor would fold the oxia accents into tonos
                               QString::fromUtf16(u"\u03f0\u03b1\u1f76 \u03c4\u1f79\u03c4' \u1f10\u03b3\u1f7c "
                                                  u"\u039a\u1f7b\u03f0\u03bb\u03c9\u03c0\u03b1"),
                               text("漢字仮名交じり文"),
                               text("3L9\x1d"
                                    "52\x02_AB(¥\x05!!V"),
                               text("ümlaut"), everyCharacter};
    const QList<QVariantList> rows = contents.rows(QStringLiteral("SELECT ID, Unicode FROM \"Table\" ORDER BY ID"));
    ASSERT_EQ(rows.size(), expected.size());
    for (qsizetype i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i][0].toLongLong(), i + 1);
        EXPECT_EQ(rows[i][1].toString(), expected[i]) << "row " << i + 1;
    }
}

TEST(FixtureImport, AutonumberCounterGoesOnAfterTheLargestId)
{
    REQUIRE_FIXTURE("testUnicodeCompV2003.mdb");
    ScratchStore store;
    importJetFile(fixture("testUnicodeCompV2003.mdb"), store.path(), {}, testImportOptions());
    StoreContents contents(store.path());
    EXPECT_EQ(contents.scalar(QStringLiteral("SELECT seq FROM sqlite_sequence WHERE name = 'Table'")),
              QVariant(qint64(8)));
}

TEST(FixtureImport, EveryTableAndRowOfSeveralTables)
{
    REQUIRE_FIXTURE("indexTestV2003.mdb");
    ScratchStore store;
    const jet::ImportSummary summary
        = importJetFile(fixture("indexTestV2003.mdb"), store.path(), {}, testImportOptions());
    EXPECT_EQ(summary.rows(), 11);

    StoreContents contents(store.path());
    EXPECT_EQ(tableNames(contents), withProgramTables({"Table1", "Table2", "Table3"}));
    EXPECT_EQ(count(contents, "Table1"), 4);
    EXPECT_EQ(count(contents, "Table2"), 3);
    EXPECT_EQ(count(contents, "Table3"), 4);
    EXPECT_EQ(contents.rows(QStringLiteral("SELECT * FROM Table1 WHERE id = 2")),
              QList<QVariantList>({{qint64(2), qint64(1), qint64(11), text("baz11-2"), qint64(0)}}));
    EXPECT_EQ(
        contents.rows(QStringLiteral("SELECT group_concat(data, ',') FROM (SELECT data FROM Table3 ORDER BY id)")),
        QList<QVariantList>({{text("bar10,bar11,bar12,bar13")}}));
}

TEST(FixtureImport, ManyPagesAndNullIntegers)
{
    REQUIRE_FIXTURE("compIndexTestV2000.mdb");
    ScratchStore store;
    importJetFile(fixture("compIndexTestV2000.mdb"), store.path(), {}, testImportOptions());
    StoreContents contents(store.path());
    EXPECT_EQ(count(contents, "Table1"), 512);
    // the integers that libmdb prints as empty are NULL, not 0
    EXPECT_EQ(contents.rows(
                  QStringLiteral("SELECT RS_AGENTE, DC_AGENTE FROM Table1 WHERE CD_AGENTE IS NULL ORDER BY DC_AGENTE")),
              QList<QVariantList>({{text("abc"), text("ddd")}, {text("abc"), text("efg")}}));
    EXPECT_EQ(contents.scalar(QStringLiteral("SELECT count(*) FROM Table1 WHERE CD_AGENTE = 0")), QVariant(qint64(0)));
    EXPECT_EQ(
        contents.scalar(QStringLiteral("SELECT count(*) FROM Table1 WHERE RS_AGENTE IS NULL OR DC_AGENTE IS NULL")),
        QVariant(qint64(0)));
}

TEST(FixtureImport, FileWithDatabasePasswordIsReadAnyway)
{
    REQUIRE_FIXTURE("V2003_with-password.mdb");
    ScratchStore store;
    importJetFile(fixture("V2003_with-password.mdb"), store.path(), {}, testImportOptions());
    StoreContents contents(store.path());
    EXPECT_EQ(contents.rows(QStringLiteral("SELECT ID, Data FROM Table1 ORDER BY ID")),
              QList<QVariantList>({{qint64(1), text("One")}, {qint64(2), text("Two")}, {qint64(3), text("Three")}}));
}

TEST(FixtureImport, ProgressEndsWithEveryRow)
{
    REQUIRE_FIXTURE("compIndexTestV2000.mdb");
    ScratchStore store;
    qint64 lastDone = -1;
    qint64 lastTotal = -1;
    importJetFile(
        fixture("compIndexTestV2000.mdb"), store.path(),
        [&](qint64 done, qint64 total) {
            EXPECT_GE(done, lastDone);
            lastDone = done;
            lastTotal = total;
        },
        testImportOptions());
    EXPECT_EQ(lastDone, 512);
    EXPECT_EQ(lastTotal, 512);
}

} // namespace
