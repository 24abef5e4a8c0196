#include "messages/errortext.h"
#include "store/connection.h"
#include "store/storeerror.h"
#include "store/provisioning/storecopy.h"
#include "store/querychannel.h"
#include "tests/server/testdirectory.h"

#include <QFile>

#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <utility>

using namespace Qt::Literals::StringLiterals;

namespace {

class CopyAtOneSnapshot : public ::testing::TestWithParam<StoreKind> {};

// The fam of each entry, in id order.
QStringList surnames(const store::StoreAddress &where)
{
    store::Connection connection(where.file);
    if (where.isServer())
        connection.setServer(where.server);
    store::QueryChannel channel(connection);
    channel.run(u"select fam from tab order by id"_s);
    channel.fetch(INT_MAX);
    QStringList all;
    for (int r = 0; r < channel.fetched(); ++r)
        all << channel.cell(r, 0).toString();
    return all;
}

// Between two batches of a copy another connection changes two entries in one transaction: one
// already copied, one still to come. The copy is the source as it was before: never one of each.
// From a server into a file, and from a file onto a server.
TEST_P(CopyAtOneSnapshot, AChangeCommittedBetweenBatchesIsNotHalfInTheCopy)
{
    const TestDirectory source(GetParam());
    store::Connection connection;
    source.configure(connection);
    store::QueryChannel other(connection);
    QList<qint64> ids;
    for (int i = 0; i < 7; ++i)
        ids << other.exec(uR"(insert into tab(fam) values("Старая"))"_s);
    const store::StoreAddress target = GetParam() == StoreKind::Server
        ? store::StoreAddress{source.folder() + u"/copy.dat"_s, QString()}
        : store::StoreAddress{QString(), newServerDatabase()};

    qint64 copiedBeforeTheChange = -1;
    const auto changeBetweenBatches = [&](const QString &table, qint64 copied) {
        if (table != u"tab"_s || copiedBeforeTheChange >= 0)
            return;
        copiedBeforeTheChange = copied;
        other.exec(uR"(update tab set fam="Новая" where id=)"_s + QString::number(ids.first()) + u" or id="_s
                   + QString::number(ids.last()));
    };
    store::copyDirectory(source.address(), target, changeBetweenBatches, 2);

    EXPECT_EQ(copiedBeforeTheChange, 2); // the change came between the first batch and the second
    const QStringList now = surnames(source.address());
    ASSERT_EQ(now.size(), 7);
    EXPECT_EQ(now.first(), u"Новая"_s);
    EXPECT_EQ(now.last(), u"Новая"_s);
    EXPECT_EQ(surnames(target).join(u", "_s).toStdString(), QStringList(7, u"Старая"_s).join(u", "_s).toStdString());
}

INSTANTIATE_TEST_SUITE_P(Stores, CopyAtOneSnapshot, bothStores(), storeName);

// Two copies into one empty database: the second, started while the first fills it, is refused at
// once, and the first goes on to the end.
TEST(CopyOntoAServer, ASecondCopyIntoTheDatabaseBeingFilledIsRefusedAtOnce)
{
    const TestDirectory source(StoreKind::File);
    const QString server = newServerDatabase();
    // Without the refusal the second would wait for the first's tables; a lock timeout makes that wait
    // a failure of another kind rather than a hang.
    const store::StoreAddress impatient{QString(), server + u" options='-c lock_timeout=5000'"_s};
    std::optional<store::StoreError> refusal;
    bool tried = false;
    store::copyDirectory(source.address(), {QString(), server}, [&](const QString &, qint64) {
        if (std::exchange(tried, true))
            return;
        try {
            store::copyDirectory(source.address(), impatient);
        } catch (const store::StoreError &e) {
            refusal = e;
        }
    });
    ASSERT_TRUE(refusal.has_value());
    EXPECT_EQ(refusal->kind(), store::StoreError::Kind::ServerBeingFilled) << refusal->what();
}

class CopyOfUnfitText : public ::testing::TestWithParam<StoreKind> {};

// Texts the channel no longer writes, made by the engine's own SQL as older versions stored them: a
// NUL (only a file holds one) and more characters than the limit.
QStringList unfitExpressions(StoreKind kind)
{
    if (kind == StoreKind::File)
        return {uR"("Ив" || char(0) || "анов")"_s, uR"(replace(hex(zeroblob(300)), "00", "Я"))"_s};
    return {uR"(repeat("Я", 300))"_s};
}

// A copy of a store holding one names its table, row and column, and copies nothing, though the row
// comes after the first batch.
TEST_P(CopyOfUnfitText, NamesTheCellAndCopiesNothing)
{
    const TestDirectory source(GetParam());
    store::Connection connection;
    source.configure(connection);
    store::QueryChannel channel(connection);
    QList<qint64> ids;
    for (int i = 0; i < 3; ++i)
        ids << channel.exec(uR"(insert into tab(fam) values("Годный"))"_s);
    for (const QString &unfit : unfitExpressions(GetParam())) {
        SCOPED_TRACE(unfit.toStdString());
        for (const QString &statement : liftTextLimit(GetParam())) // the copy's opening put the file's back
            channel.exec(statement);
        channel.exec(u"update tab set im="_s + unfit + u" where id="_s + QString::number(ids.last()));
        const store::StoreAddress target = GetParam() == StoreKind::Server
            ? store::StoreAddress{source.folder() + u"/copy.dat"_s, QString()}
            : store::StoreAddress{QString(), newServerDatabase()};
        try {
            store::copyDirectory(source.address(), target, {}, 2);
            ADD_FAILURE() << "copied";
        } catch (const store::StoreError &e) {
            const QString text = messages::errorText(e);
            EXPECT_TRUE(text.contains(u"Таблица tab, запись с id %1, столбец im"_s.arg(ids.last()))) << text.toStdString();
        }
        if (target.isServer()) {
            store::Connection onTarget;
            onTarget.setServer(target.server);
            try {
                onTarget.connect();
                ADD_FAILURE() << "the server holds the directory's tables";
            } catch (const store::StoreError &e) {
                EXPECT_EQ(e.kind(), store::StoreError::Kind::ServerWithoutDirectory) << e.what();
            }
        } else {
            EXPECT_FALSE(QFile::exists(target.file));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Stores, CopyOfUnfitText, bothStores(), storeName);

} // namespace
