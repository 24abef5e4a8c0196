#pragma once

#include "tests/support/scratchfolder.h"
#include "tests/app/qtprinting.h"
#include "tests/app/modelchecker.h"
#include "tests/app/tabreader.h"

#include "store/connection.h"
#include "store/grid/gridmodel.h"
#include "store/querychannel.h"

#include <QStringList>
#include <gtest/gtest.h>

// A GridModel over the query channel of a fresh history.dat holding three entries, watched by the
// model tester; what the model reports as errors is collected.
class GridModelTest : public ::testing::Test {
protected:
    using EntryField = store::EntryField;

    GridModelTest();

    void show(const QString &statement);
    void fetchAll();
    QString text(int row, int field) const;
    bool edit(int row, int field, const QString &text);

    DataFolder folder;
    TabReader tab;
    QList<qint64> ids;
    QList<QStringList> original;
    store::Connection connection;
    store::QueryChannel channel;
    store::GridModel model;
    ModelChecker checker;
    QStringList errors;
};
