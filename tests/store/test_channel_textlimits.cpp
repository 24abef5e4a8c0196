// What the channel writes, either store holds whole: no text with a NUL (the server would keep it
// cut at the NUL) and none longer than the limit (the server's index refuses long keys), whichever
// way it is written; values stored before the limit stay readable and can be replaced.
#include "tests/store/channelfixture.h"

#include "store/schema.h"

using namespace Qt::Literals::StringLiterals;

namespace {

struct Unfit {
    const char *name;
    QString text;
    const char16_t *reason;
};

const Unfit kUnfit[] = {
    {"Nul", u"Ив"_s + QChar(0) + u"анов"_s, u"символ NUL"},
    {"TooLong", QString(store::kTextValueLimit + 1, u'Я'), u"не длиннее 255 символов"},
};

class TextLimitOnStores : public StoreChannelTest {
protected:
    // A text only the engine's own SQL makes, as the program stored it before the limit.
    QString longExpression() const
    {
        return GetParam() == StoreKind::File ? uR"(replace(hex(zeroblob(300)), "00", "Я"))"_s : uR"(repeat("Я", 300))"_s;
    }
};

TEST_P(TextLimitOnStores, EveryWayOfWritingRefusesItButStoredValuesStayUsable)
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
    EXPECT_FALSE(failure([&] { channel.run(uR"(select * from tab where fam=")"_s + kUnfit[0].text + u"\""_s); }).isEmpty());

    // The limit itself is written; a longer value stored earlier is still found, read and replaced.
    const QString longest(store::kTextValueLimit, u'Я');
    const qint64 id = addEntry(longest);
    channel.exec(u"update tab set im="_s + longExpression() + u" where id="_s + QString::number(id));
    const QString stored(300, u'Я');

    channel.run(uR"(select fam, im from tab where im=")"_s + stored + u"\""_s);
    ASSERT_EQ(channel.count(), 1);
    EXPECT_EQ(channel.text(u"fam"_s), longest);
    EXPECT_EQ(channel.text(u"im"_s), stored);

    // As the grid replaces it: the stored text is only compared with.
    const auto changed = channel.write(u"update tab set im=? where id=? and im=?"_s, {u"Иван"_s}, {id, stored});
    EXPECT_EQ(changed.changes, 1);
}

} // namespace

INSTANTIATE_TEST_SUITE_P(Stores, TextLimitOnStores, bothStores(), storeName);
