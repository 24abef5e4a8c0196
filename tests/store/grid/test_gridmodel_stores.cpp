// The grid's edits on both stores: written where nobody changed the row meanwhile, refused where
// somebody did, in letters or in letter case.
#include "tests/store/channelfixture.h"

#include "messages/errortext.h"
#include "store/grid/gridmodel.h"

using namespace Qt::Literals::StringLiterals;
using store::EntryField;

namespace {

const QStringList kColumns = [] {
    QStringList names;
    for (int field = 0; field < store::kEntryFieldCount; ++field)
        names << store::columnName(EntryField(field));
    return names;
}();

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
    QString stored(const QString &column) { return storedRow({column}).value(0); }
    // The entry's columns as the store holds them, as text.
    QStringList storedRow(const QStringList &columns = kColumns)
    {
        store::Connection own;
        directory.configure(own);
        store::QueryChannel other(own);
        other.run(u"select * from tab where id="_s + QString::number(id));
        QStringList row;
        for (const QString &column : columns)
            row << other.text(column);
        return row;
    }
    QStringList shownRow() const
    {
        QStringList row;
        for (int field = 0; field < store::kEntryFieldCount; ++field)
            row << model.data(model.index(0, field)).toString();
        return row;
    }
    void showEntry()
    {
        channel.run(u"select * from tab where id="_s + QString::number(id));
        errors.clear();
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

// Someone else changed the row since the grid showed it, in any of its columns: neither an edit of
// another cell nor a delete lands, both say so as the edit conflict does, and the row then shows
// what the store holds.
TEST_P(GridOnStores, RowChangedElsewhereIsNeitherWrittenOverNorDeletedUnseen)
{
    const QString changes[] = {uR"(update tab set ul="Чужая")"_s, u"update tab set kv=99"_s,
                               uR"(update tab set fam="ИВАНОВ")"_s, u"update tab set domd=null"_s};
    for (const bool deleting : {false, true}) {
        for (const QString &change : changes) {
            SCOPED_TRACE((deleting ? "delete after " : "edit after ") + change.toStdString());
            elsewhere(uR"(update tab set fam="Иванов", ul="Ленина", kv=1, domd="")"_s);
            showEntry();
            elsewhere(change);
            EXPECT_FALSE(deleting ? model.deleteRow(0) : edit(EntryField::GivenName, u"Пётр"_s) && model.finishPending());
            EXPECT_EQ(errors, QStringList{messages::refusalText({store::GridRefusal::Kind::RowChanged})});
            const QStringList now = storedRow();
            EXPECT_EQ(now.value(EntryField::GivenName), u"Иван"_s);
            ASSERT_EQ(model.rowCount(), 1);
            EXPECT_EQ(model.pendingRow(), -1);
            EXPECT_EQ(shownRow(), now);
        }
    }
}

// Gone elsewhere: an edit says so and the row leaves the grid; a delete only lets it go.
TEST_P(GridOnStores, RowDeletedElsewhereLeavesTheGrid)
{
    for (const bool deleting : {false, true}) {
        id = addEntry(u"Сидоров"_s);
        showEntry();
        elsewhere(u"delete from tab where id="_s + QString::number(id));
        EXPECT_EQ(deleting ? model.deleteRow(0) : edit(EntryField::GivenName, u"Пётр"_s) && model.finishPending(), deleting);
        EXPECT_EQ(errors, deleting ? QStringList() : QStringList{messages::refusalText({store::GridRefusal::Kind::RowDeleted})});
        EXPECT_EQ(model.rowCount(), 0);
    }
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
