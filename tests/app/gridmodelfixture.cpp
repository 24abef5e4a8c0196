#include "messages/errortext.h"
#include "tests/app/gridmodelfixture.h"

using namespace Qt::StringLiterals;

GridModelTest::GridModelTest()
    : tab(folder.path(u"history.dat"_s)),
      ids{tab.add({u"Иванов"_s, u"Иван"_s, u"Иванович"_s, u"4951111111"_s, u"Ленина"_s, 1, QString(), 10}),
          tab.add({u"Петров"_s, u"Пётр"_s, u"Петрович"_s, u"4952222222"_s, u"Мира"_s, 2, u"а"_s, 20}),
          tab.add({u"Сидоров"_s, u"Семён"_s, u"Семёнович"_s, u"4953333333"_s, u"Садовая"_s, 3, QString(), 30})},
      original(tab.rows()),
      connection(folder.path(u"history.dat"_s)),
      channel(connection),
      model(channel),
      checker(&model)
{
    QObject::connect(&model, &store::GridModel::errorOccurred, [this](const store::StoreError &error) { errors << messages::errorText(error); });
    QObject::connect(&model, &store::GridModel::editRefused, [this](const store::GridRefusal &refusal) { errors << messages::refusalText(refusal); });
}

void GridModelTest::show(const QString &statement)
{
    channel.run(statement);
}

void GridModelTest::fetchAll()
{
    while (model.canFetchMore(QModelIndex()))
        model.fetchMore(QModelIndex());
}

QString GridModelTest::text(int row, int field) const
{
    return model.index(row, field).data().toString();
}

bool GridModelTest::edit(int row, int field, const QString &text)
{
    return model.setData(model.index(row, field), text);
}
