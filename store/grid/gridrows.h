#pragma once

#include <QVariant>
#include <vector>

namespace store {

class QueryChannel;

// The rows the grid shows: the channel's open result, with the grid's own edits mirrored into it
// (a written cell, a new row, a row deleted), so that they stay as written while the view scrolls
// and fetches more. Without a result an edit does nothing.
class GridRows {
public:
    explicit GridRows(QueryChannel &channel) : m_channel(channel) {}

    void setCell(int row, int column, const QVariant &value);
    // The values are padded with nulls to the row's width.
    void insertRow(int row, const std::vector<QVariant> &values = {});
    void removeRow(int row);

private:
    QueryChannel &m_channel;
};

} // namespace store
