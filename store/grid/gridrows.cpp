#include "store/grid/gridrows.h"

#include "store/querychannel.h"
#include "store/rowbuffer.h"

namespace store {

void GridRows::setCell(int row, int column, const QVariant &value)
{
    if (RowBuffer *rows = m_channel.rows())
        rows->setCell(row, column, value);
}

void GridRows::insertRow(int row, const std::vector<QVariant> &values)
{
    if (RowBuffer *rows = m_channel.rows())
        rows->insertRow(row, values);
}

void GridRows::removeRow(int row)
{
    if (RowBuffer *rows = m_channel.rows())
        rows->removeRow(row);
}

} // namespace store
