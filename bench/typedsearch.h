#pragma once

#include "bench/paintwaiter.h"

#include <QString>

#include <functional>
#include <optional>

class QLineEdit;
class QPushButton;
class QTableView;
class QWidget;

namespace bench {

// A surname typed key by key into a window's surname field and its search button clicked, until
// the grid shows the expected rows painted: the search as the user sees it, in either build.
class TypedSearch {
public:
    TypedSearch(QWidget &window, QTableView *grid, std::function<bool()> holdsTheRows, QString typed);

    // False when the window lacks its result grid, surname field or search button.
    bool ready() const { return m_waiter.has_value(); }
    // One search; false when the grid never showed the rows.
    bool once();

    int rows() const;
    int paints() const { return m_waiter->totalPaints() - m_paintsBefore; }

private:
    QTableView *m_grid;
    QLineEdit *m_surname;
    QPushButton *m_find;
    std::function<bool()> m_holdsTheRows;
    QString m_typed;
    std::optional<PaintWaiter> m_waiter;
    int m_paintsBefore = 0;
};

} // namespace bench
