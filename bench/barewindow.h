#pragma once

#include <QMainWindow>

#include <functional>

class QLineEdit;
class QPushButton;
class QStandardItemModel;
class QTableView;

namespace bench {

// The floor for the main window: a plain QMainWindow with the same widgets in the same places
// (heading, grid, search group with its eight fields and two buttons, status bar, menu), but none
// of the program's behaviour. Its grid is a QTableView over a QStandardItemModel. The surname field
// and the search button carry the main window's object names, so one driver types into and clicks
// either window.
class BareWindow : public QMainWindow {
public:
    BareWindow();

    QTableView *grid() const { return m_grid; }
    QStandardItemModel *rows() const { return m_rows; }
    QLineEdit *surnameField() const { return m_surname; }
    QPushButton *searchButton() const { return m_search; }
    // What a click on the search button does with the surname field's text.
    void onSearch(std::function<void(const QString &surname)> handler);

private:
    QTableView *m_grid = nullptr;
    QStandardItemModel *m_rows = nullptr;
    QLineEdit *m_surname = nullptr;
    QPushButton *m_search = nullptr;
    std::function<void(const QString &)> m_handler;
};

} // namespace bench
