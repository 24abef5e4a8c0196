// The grid's edits on both stores: written where nobody changed the row meanwhile, refused where
// somebody did, in letters or in letter case.
#include "tests/store/channelfixture.h"

#include "messages/errortext.h"
#include "store/grid/gridmodel.h"

using namespace Qt::Literals::StringLiterals;
using store::EntryField;

namespace {

class GridOnStores : public StoreChannelTest {
protected:
    void SetUp() override
    {
        id = addEntry(u"Иванов"_s);
        QObject::connect(&model, &store::GridModel::errorOccurred, [this](const store::StoreError &e) { errors << messages::errorText(e); });
        QObject::connect(&model, &store::GridModel::editRefused, [this](const store::GridRefusal &r) { errors << messages::refusalText(r); });
        channel.run(u"select * from tab order by id"_s);
        ASSERT_TRUE(model.isEditable());
    }
    bool edit(EntryField field, const QString &text) { return model.setData(model.index(0, field), text); }
    // Another operator's change, through a connection of its own.
    void elsewhere(const QString &statement)
    {
        store::Connection own;
        directory.configure(own);
        store::QueryChannel other(own);
        other.exec(statement);
    }
    QString stored(const QString &column)
    {
        store::Connection own;
        directory.configure(own);
        store::QueryChannel other(own);
        other.run(u"select * from tab where id="_s + QString::number(id));
        return other.text(column);
    }

    store::GridModel model{channel};
    QStringList errors;
    qint64 id = 0;
};

TEST_P(GridOnStores, UnchangedRowIsWrittenTextsAndNumbersAlike)
{
    ASSERT_TRUE(edit(EntryField::GivenName, u"Пётр"_s));
    ASSERT_TRUE(edit(EntryField::Flat, u"21"_s));
    ASSERT_TRUE(model.finishPending()) << errors.join(u'\n').toStdString();
    EXPECT_EQ(stored(u"im"_s), u"Пётр"_s);
    EXPECT_EQ(stored(u"kv"_s), u"21"_s);
}

TEST_P(GridOnStores, ChangeElsewhereEvenOfLetterCaseIsNotOverwritten)
{
    ASSERT_TRUE(edit(EntryField::GivenName, u"Павел"_s));
    elsewhere(uR"(update tab set im="ИВАН")"_s);
    EXPECT_FALSE(model.finishPending());
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors.first().contains(u"изменил другой пользователь"_s)) << errors.first().toStdString();
    EXPECT_EQ(stored(u"im"_s), u"ИВАН"_s);
}

// A text the store may not hold is refused where it is typed, naming its column, and the row is not
// written while it holds it: in an edited row and in a new one.
TEST_P(GridOnStores, TextTheStoreMayNotHoldIsRefusedAndNotWritten)
{
    const QString unfit[] = {QString(256, u'Я'), u"Ив"_s + QChar(0) + u"анов"_s};
    for (const QString &text : unfit) {
        errors.clear();
        EXPECT_FALSE(edit(EntryField::Surname, text));
        EXPECT_FALSE(model.finishPending());
        ASSERT_EQ(errors.size(), 2);
        EXPECT_TRUE(errors.last().contains(u"в поле «Фамилия»"_s)) << errors.last().toStdString();
        model.revertPending();
        EXPECT_EQ(stored(u"fam"_s), u"Иванов"_s);
    }
    ASSERT_EQ(model.appendNewRow(), 1);
    EXPECT_FALSE(model.setData(model.index(1, EntryField::Street), QString(256, u'Я')));
    EXPECT_FALSE(model.finishPending());
    model.revertPending();
    EXPECT_TRUE(edit(EntryField::Surname, QString(255, u'Я')));
    EXPECT_TRUE(model.finishPending()) << errors.join(u'\n').toStdString();
    EXPECT_EQ(stored(u"fam"_s), QString(255, u'Я'));
}

TEST_P(GridOnStores, NewRowGetsItsOwnId)
{
    ASSERT_EQ(model.appendNewRow(), 1);
    ASSERT_TRUE(model.setData(model.index(1, EntryField::Surname), u"Новиков"_s));
    elsewhere(uR"(insert into tab(fam) values("Чужой"))"_s);
    ASSERT_TRUE(model.finishPending()) << errors.join(u'\n').toStdString();
    const int idColumn = int(channel.columnNames().indexOf(u"id"_s));
    const qint64 newId = channel.cell(1, idColumn).toLongLong();
    channel.run(u"select fam from tab where id="_s + QString::number(newId));
    EXPECT_EQ(channel.text(u"fam"_s), u"Новиков"_s);
}

} // namespace

INSTANTIATE_TEST_SUITE_P(Stores, GridOnStores, bothStores(), storeName);
