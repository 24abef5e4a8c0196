#pragma once

#include "tests/app/mainwindowfixture.h"
#include "tests/app/modelchecker.h"
#include "tests/app/tabreader.h"

#include "store/entryfield.h"

#include <QList>
#include <memory>

class QTableView;

// The main window showing three entries of `tab` in its grid, a second connection to look at what
// reached the file, and the model tester watching the grid's model throughout.
class GridWindowTest : public MainWindowTest {
protected:
    using enum store::EntryField; // the grid's columns

    void SetUp() override;
    void TearDown() override;

    void show(const QString &statement);
    void clickCell(int row, int column);
    void leaveGrid();
    QString cell(int row, int column) const;
    QString indicator(int row) const;
    int rows() const;
    int currentRow() const;

    std::unique_ptr<TabReader> tab;
    QList<qint64> ids;
    QList<QStringList> original;
    std::unique_ptr<ModelChecker> checker;
};
