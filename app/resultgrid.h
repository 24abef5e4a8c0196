#pragma once

#include <QPointer>
#include <QTableView>

#include "store/grid/gridmodel.h"

namespace app {

// The result grid. Besides showing rows it carries the editing habits of the data grid the
// program was designed with: a changed row is written when the user leaves it or the grid,
// Ctrl+Delete deletes after a confirmation (also while a cell is being typed in), Insert inserts a
// row, Down on the last row appends one, and Esc forgets the edits of the current row.
class ResultGrid : public QTableView {
    Q_OBJECT
public:
    explicit ResultGrid(QWidget *parent = nullptr);

    void setGridModel(store::GridModel *model);
    using QTableView::edit;

    // What leaving the grid does: the cell being typed in is taken, a changed row written and an
    // untouched new one dropped.
    void leave();
    // Puts the user back on the edited row, in the cell that needs correcting if there is one.
    void returnToEditedRow();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    bool edit(const QModelIndex &index, EditTrigger trigger, QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void onFocusChanged(QWidget *old, QWidget *now);
    bool contains(const QWidget *widget) const;
    void commitOpenEditor();
    void dropOpenEditor();
    // The open cell editor, or nullptr.
    QWidget *openEditor() const;
    void deleteCurrentRow();
    void insertRowHere();
    // True when the key was used to append a row.
    bool appendBelowLastRow();

    QPointer<store::GridModel> m_model;
};

} // namespace app
