#include "app/rowindicator.h"

#include "store/grid/gridmodel.h"

#include <QAbstractItemView>
#include <QPainter>

namespace app {

namespace {

const QString kCurrent = QStringLiteral("▶");
const QString kEdited = QStringLiteral("✎");
const QString kNew = QStringLiteral("*");

} // namespace

RowIndicator::RowIndicator(QWidget *parent) : QHeaderView(Qt::Vertical, parent)
{
    setSectionResizeMode(QHeaderView::Fixed);
    setDefaultAlignment(Qt::AlignCenter);
    setHighlightSections(false);
}

QString RowIndicator::mark(int row) const
{
    const auto *grid = qobject_cast<const store::GridModel *>(model());
    if (grid && grid->pendingRow() == row) {
        if (grid->isPendingNew())
            return kNew;
        if (grid->isPendingChanged())
            return kEdited;
    }
    const auto *view = qobject_cast<const QAbstractItemView *>(parentWidget());
    return view && view->currentIndex().isValid() && view->currentIndex().row() == row ? kCurrent : QString();
}

QSize RowIndicator::sizeHint() const
{
    QSize hint = QHeaderView::sizeHint();
    hint.setWidth(std::max(hint.width(), fontMetrics().horizontalAdvance(kEdited) + 8));
    return hint;
}

void RowIndicator::paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const
{
    QStyleOptionHeader option;
    initStyleOption(&option);
    option.rect = rect;
    option.section = logicalIndex;
    option.text = mark(logicalIndex);
    option.textAlignment = Qt::AlignCenter;
    option.position = QStyleOptionHeader::Middle;
    style()->drawControl(QStyle::CE_Header, &option, painter, this);
}

} // namespace app
