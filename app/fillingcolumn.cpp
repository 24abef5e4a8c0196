#include "app/fillingcolumn.h"

#include <QEvent>
#include <QHeaderView>
#include <QScopedValueRollback>
#include <QTableView>

#include <algorithm>

namespace app {

FillingColumn::FillingColumn(QTableView *view) : QObject(view), m_view(view), m_viewport(view->viewport())
{
    m_viewport->installEventFilter(this);
    connect(view->horizontalHeader(), &QHeaderView::sectionResized, this,
            [this](int column) { onSectionResized(column); });
    QAbstractItemModel *model = view->model();
    connect(model, &QAbstractItemModel::modelReset, this, &FillingColumn::fitLater);
    connect(model, &QAbstractItemModel::rowsInserted, this, &FillingColumn::fitLater);
    connect(model, &QAbstractItemModel::rowsRemoved, this, &FillingColumn::fitLater);
    connect(model, &QAbstractItemModel::dataChanged, this, &FillingColumn::fitLater);
    fit();
}

bool FillingColumn::eventFilter(QObject *watched, QEvent *event)
{
    // The viewport narrows when the vertical scroll bar appears, and changes with the window.
    // The view itself is not asked: the viewport also sends events while the view is being destroyed.
    if (event->type() == QEvent::Resize && watched == m_viewport)
        fit();
    return QObject::eventFilter(watched, event);
}

void FillingColumn::onSectionResized(int column)
{
    if (m_fitting)
        return;
    if (column == m_view->horizontalHeader()->count() - 1)
        m_userSized = true;
    else
        fit();
}

void FillingColumn::fitLater()
{
    if (m_fitQueued)
        return;
    m_fitQueued = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_fitQueued = false;
            fit();
        },
        Qt::QueuedConnection);
}

void FillingColumn::fit()
{
    const QHeaderView *header = m_view->horizontalHeader();
    const int last = header->count() - 1;
    if (m_userSized || last < 0)
        return;
    const int others = header->sectionPosition(last);
    // The widest of the rows around those in view (the table view narrows the public measure to
    // its subclasses, hence the base). The title may be cut where the room is short; a value never.
    const auto *rows = static_cast<const QAbstractItemView *>(m_view);
    const int needed = rows->sizeHintForColumn(last);
    const QScopedValueRollback fitting(m_fitting, true);
    m_view->setColumnWidth(last, std::max(needed, m_view->viewport()->width() - others));
}

} // namespace app
