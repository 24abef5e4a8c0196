#pragma once

#include "scratchfolder.h"
#include "qtprinting.h"
#include "modelchecker.h"
#include "tabreader.h"

#include "connection.h"
#include "gridmodel.h"
#include "querychannel.h"

#include <QStringList>
#include <gtest/gtest.h>

// A GridModel over the query channel of a fresh history.dat holding three entries, watched by the
// model tester; what the model reports as errors is collected.
class GridModelTest : public ::testing::Test {
protected:
    using Field = store::GridModel::Field;

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
