#pragma once

#include <QMainWindow>

class QStandardItemModel;
class QTableView;

namespace bench {

// The floor for the main window: a plain QMainWindow with the same widgets in the same places
// (heading, grid, search group with its eight fields and two buttons, status bar, menu), but none
// of the program's behaviour. Its grid is a QTableView over a QStandardItemModel.
class BareWindow : public QMainWindow {
public:
    BareWindow();

    QTableView *grid() const { return m_grid; }
    QStandardItemModel *rows() const { return m_rows; }

private:
    QTableView *m_grid = nullptr;
    QStandardItemModel *m_rows = nullptr;
};

} // namespace bench
