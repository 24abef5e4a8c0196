#pragma once

#include "store/entryfield.h"
#include "store/grid/gridrefusal.h"
#include "store/grid/gridrows.h"
#include "store/storeerror.h"

#include <QAbstractTableModel>
#include <QString>
#include <QVariant>
#include <array>
#include <optional>

namespace store {

class QueryChannel;

// The grid's view of whatever result the query channel holds, always in
// the same eight columns, one per EntryField. Rows are read from the channel as the grid asks for
// them, so a result of any size opens at once.
//
// A result of `tab` that carries id can be changed in place. At most one row is "pending" at a
// time: the row the user has typed in, or a new row. It is written (or, new and untouched, dropped)
// by finishPending(), which the grid calls when the user leaves the row or the grid. The model
// never talks to the user: a refusal of an edit (GridRefusal) arrives through editRefused(), a
// store failure through errorOccurred().
class GridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit GridModel(QueryChannel &channel, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    // Takes the typed text into the row. A text that a number column cannot hold, or that a text
    // column may not (a NUL, longer than kTextValueLimit), is kept as typed and reported (false); the
    // row cannot be written until it is corrected or reverted.
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    bool canFetchMore(const QModelIndex &parent) const override;
    void fetchMore(const QModelIndex &parent) override;

    // The view gives the columns their titles; until then a column is titled by its column name in tab.
    bool setHeaderData(int section, Qt::Orientation orientation, const QVariant &value,
                       int role = Qt::EditRole) override;

    // The result can be changed: it comes from `tab` alone and includes id. Each change needs its
    // own right besides (EntryRights): typing into a stored row Change, into a new row Add, a new
    // row Add, deleting Delete; a cell the login may not change is not editable.
    bool isEditable() const { return m_editable; }
    // Whether the login may do that to the entries. The first time it may not, the model says so
    // (editRefused, NotPermitted); later attempts are turned down silently.
    bool tryAction(EntryAction action);

    int pendingRow() const { return m_pending.row; }
    bool isPendingNew() const { return m_pending.row >= 0 && m_pending.isNew; }
    bool isPendingChanged() const;
    // The first column of the pending row holding a text it cannot take, or -1.
    int pendingRefusedField() const;

    // An empty new row before `row` (Insert) or after the last (Down on the last row); the former
    // pending row is finished first. Returns the new row, or -1 when there is none.
    int insertNewRow(int row);
    int appendNewRow();
    // Writes a changed pending row (insert of a new one, or update by id of the changed cells)
    // and drops an unchanged new one. A stored row is written only where it still holds, in every
    // column the result shows, what the grid read (see asRead), so that nothing changed elsewhere
    // meanwhile is overwritten unseen. False when the row could not be written: it then stays
    // pending with its edits, unless it had changed elsewhere (RowChanged: the edits go and the row
    // shows what the store holds now) or is gone (RowDeleted: it leaves the grid).
    bool finishPending();
    // Forgets the pending row's edits; a new row disappears.
    void revertPending();
    // Deletes the row from `tab` (a new row that was never written just disappears), only where it
    // still holds what the grid read: a row changed elsewhere is refused (RowChanged) and shows what
    // the store holds now; one deleted elsewhere just leaves the grid.
    bool deleteRow(int row);

signals:
    void errorOccurred(const store::StoreError &error);
    void editRefused(const store::GridRefusal &refusal);

private:
    std::array<QString, kEntryFieldCount> m_titles;
    struct Pending {
        int row = -1;
        bool isNew = false;
        QVariant id;
        std::array<QVariant, kEntryFieldCount> read; // as the row was read: a write expects them unchanged
        std::array<QVariant, kEntryFieldCount> values;
        std::array<bool, kEntryFieldCount> changed{};
    };

    void onResultChanged();
    bool isShown(const QModelIndex &index) const;
    QVariant storedValue(int row, int field) const;
    QVariant shownValue(int row, int field) const;
    bool beginPending(int row);
    bool writePending(bool mirror);
    bool updatePending(const QStringList &columns, const QVariantList &values, bool mirror);
    // " and ..." for every field the result shows, with what was read appended to criteria: a write
    // lands only where the row still holds exactly that, byte for byte (a change of letter case
    // made elsewhere counts too), NULL apart from an empty text. Only compared with, never written,
    // so a longer text stored earlier still matches.
    QString asRead(const std::array<QVariant, kEntryFieldCount> &read, QVariantList &criteria);
    // The fields as the row of the result holds them.
    std::array<QVariant, kEntryFieldCount> shownRow(int row) const;
    bool isStored(const QVariant &id);
    // After a write that found the row of id no longer as read: the row shows what the store holds
    // now (true), or leaves the grid when the store no longer has it (false).
    bool showAsStored(int row, const QVariant &id);
    void insertRowAt(int row);
    void removeRowAt(int row);
    bool fail(const StoreError &error);
    bool refuse(const GridRefusal &refusal);
    // Why the field cannot be written holding the cell: a text in a number column, a text the store
    // may not hold in a text column.
    static std::optional<GridRefusal> refusalOf(int field, const QVariant &cell);

    QueryChannel &m_channel;
    GridRows m_gridRows;
    int m_rows = 0;
    std::array<int, kEntryFieldCount> m_columnOf{};
    int m_idColumn = -1;
    bool m_editable = false;
    bool m_reshaping = false; // between a begin and an end of a change of rows
    Pending m_pending;
    std::array<bool, kEntryActionCount> m_toldNotPermitted{};
};

} // namespace store
