// What either store holds, it holds whole: no text with a NUL (the server would keep it cut at the
// NUL) and none longer than the limit (the server's index refuses long keys), whichever way it is
// written, the engine's own SQL included; values stored before the limit stay readable and usable.
#include "tests/store/channelfixture.h"
#include "tests/store/sqlitedatabase.h"

#include "store/schema.h"

using namespace Qt::Literals::StringLiterals;

namespace {

struct Unfit {
    const char *name;
    QString text;
    const char16_t *reason;
};

// A NUL at either end as well as inside: a check that looks past the first character, or stops
// before the last, lets one through.
const Unfit kUnfit[] = {
    {"NulFirst", QChar(0) + u"Иванов"_s, u"символ NUL"},
    {"Nul", u"Ив"_s + QChar(0) + u"анов"_s, u"символ NUL"},
    {"NulLast", u"Иванов"_s + QChar(0), u"символ NUL"},
    {"TooLong", QString(store::kTextValueLimit + 1, u'Я'), u"не длиннее 255 символов"},
};

// The same texts as only the engine's own SQL makes them, and what refuses each there.
struct Built {
    const char *name;
    QString expression;
    const char16_t *reason;
};

std::vector<Built> builtUnfit(StoreKind kind)
{
    if (kind == StoreKind::File)
        return {{"NulFirst", uR"(char(0) || "Иванов")"_s, u"не длиннее 255 символов и без символа NUL"},
                {"NulLast", uR"("Иванов" || char(0))"_s, u"не длиннее 255 символов и без символа NUL"},
                {"TooLong", uR"(replace(hex(zeroblob(300)), "00", "Я"))"_s, u"не длиннее 255 символов"}};
    // The server keeps no NUL in a text at all.
    return {{"NulFirst", uR"(chr(0) || "Иванов")"_s, u"null character not permitted"},
            {"TooLong", uR"(repeat("Я", 300))"_s, u"Текст для столбца im не сохранён"}};
}

class TextLimitOnStores : public StoreChannelTest {
protected:
    // tab's entry's given name, as stored.
    QString storedName(qint64 id)
    {
        channel.run(u"select im from tab where id="_s + QString::number(id));
        return channel.count() == 1 ? channel.text(u"im"_s) : u"(no row)"_s;
    }
};

TEST_P(TextLimitOnStores, EveryWayOfWritingRefusesIt)
{
    for (const Unfit &unfit : kUnfit) {
        SCOPED_TRACE(unfit.name);
        const QString reason = QString::fromUtf16(unfit.reason);
        const QString exec = failure([&] { channel.exec(uR"(insert into tab(fam) values(")"_s + unfit.text + u"\")"_s); });
        EXPECT_TRUE(exec.contains(reason)) << exec.toStdString();
        const QString write = failure([&] { addEntry(unfit.text); });
        EXPECT_TRUE(write.contains(reason)) << write.toStdString();
        EXPECT_EQ(rowsOf(u"tab"_s), 0);
    }
    // A search for a NUL would find what the server cut it to.
    EXPECT_FALSE(failure([&] { channel.run(uR"(select * from tab where fam=")"_s + kUnfit[1].text + u"\""_s); }).isEmpty());

    // The store itself refuses what a statement builds, in an insert and in an update.
    const qint64 id = addEntry(u"Петров"_s);
    for (const Built &built : builtUnfit(GetParam())) {
        SCOPED_TRACE(built.name);
        const QString reason = QString::fromUtf16(built.reason);
        const QString insert = failure([&] { channel.exec(uR"(insert into tab(fam, im) values("Сидоров", )"_s + built.expression + u")"_s); });
        EXPECT_TRUE(insert.contains(reason)) << insert.toStdString();
        const QString update = failure([&] { channel.exec(u"update tab set im="_s + built.expression + u" where id="_s + QString::number(id)); });
        EXPECT_TRUE(update.contains(reason)) << update.toStdString();
        EXPECT_EQ(rowsOf(u"tab"_s), 1);
        EXPECT_EQ(storedName(id), u"Иван"_s);
    }
}

TEST_P(TextLimitOnStores, AValueStoredBeforeStaysReadableAndUsable)
{
    const QString longest(store::kTextValueLimit, u'Я');
    const qint64 id = addEntry(longest);
    for (const QString &statement : liftTextLimit(GetParam()))
        channel.exec(statement);
    channel.exec(u"update tab set im="_s + builtUnfit(GetParam()).back().expression + u" where id="_s + QString::number(id));
    connection.close(); // a file gets its triggers back as it is opened again
    const QString stored(300, u'Я');
    if (GetParam() == StoreKind::File) {
        EXPECT_FALSE(failure([&] { channel.exec(u"update tab set ul=im where id="_s + QString::number(id)); }).isEmpty());
    }

    channel.run(uR"(select fam, im from tab where im=")"_s + stored + u"\""_s);
    ASSERT_EQ(channel.count(), 1);
    EXPECT_EQ(channel.text(u"fam"_s), longest);
    EXPECT_EQ(channel.text(u"im"_s), stored);

    // As the grid changes another field of it, and replaces it: the stored text is only compared with.
    EXPECT_EQ(channel.write(u"update tab set ot=? where id=? and im=?"_s, {u"Петрович"_s}, {id, stored}).changes, 1);
    EXPECT_EQ(channel.write(u"update tab set im=? where id=? and im=?"_s, {u"Иван"_s}, {id, stored}).changes, 1);
}

} // namespace

INSTANTIATE_TEST_SUITE_P(Stores, TextLimitOnStores, bothStores(), storeName);

// A file made before the triggers gets them when it is next opened, and SQLite alone, without
// anything of the program's, still reads it.
TEST_F(ChannelTest, AnOlderFileGetsTheTriggersWhenOpened)
{
    const auto triggers = [&] {
        SqliteDatabase plain(scratch.path().toStdString());
        return plain.scalar("select count(*) from sqlite_schema where type = 'trigger'") + " "
            + plain.scalar("select coalesce(max(id), 0) from tab");
    };
    channel.connect();
    for (const QString &statement : liftTextLimit(StoreKind::File))
        channel.exec(statement);
    connection.close();
    ASSERT_EQ(triggers(), "0 0");
    channel.connect();
    EXPECT_EQ(triggers(), "2 0");
}
