#pragma once

#include <QHeaderView>

namespace app {

// The grid's row indicator, as a data grid draws it: the current row, a row being edited and a
// new row each have their mark.
class RowIndicator : public QHeaderView {
    Q_OBJECT
public:
    explicit RowIndicator(QWidget *parent = nullptr);

    // What the indicator shows beside the row.
    QString mark(int row) const;

    QSize sizeHint() const override;

protected:
    void paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const override;
};

} // namespace app
