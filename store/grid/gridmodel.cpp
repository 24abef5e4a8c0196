#include "store/grid/gridmodel.h"

#include "store/storeerror.h"
#include "store/querychannel.h"
#include "store/textvalue.h"

#include <QScopedValueRollback>

#include <algorithm>
#include <limits>
#include <optional>
#include <utility>

namespace store {

namespace {

// The grid's columns are the entry's fields in their order: a column's number is its field.
QString fieldName(int field)
{
    return columnName(EntryField(field));
}

bool isNumber(int field)
{
    return holdsNumber(EntryField(field));
}

// Rows read from the channel per request of the grid: enough to fill a tall window, small enough
// that scrolling through a huge result never stalls.
constexpr int kFetchChunk = 256;
// A result no longer than this is taken whole into the reset that shows it, so the grid paints
// once, with its rows, rather than empty first and again when the view asks for them.
constexpr int kFirstScreen = 64;

int columnIndex(const QStringList &names, const QString &name)
{
    const auto it = std::find_if(names.cbegin(), names.cend(), [&](const QString &n) {
        return n.compare(name, Qt::CaseInsensitive) == 0;
    });
    return it == names.cend() ? -1 : int(it - names.cbegin());
}

// The number columns of `tab` are long integers, as in the Jet table the program was made for.
std::optional<QVariant> numberCell(const QString &typed)
{
    const QString text = typed.trimmed();
    if (text.isEmpty())
        return QVariant();
    bool ok = false;
    const qint64 n = text.toLongLong(&ok, 10);
    if (!ok || n < std::numeric_limits<qint32>::min() || n > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return QVariant(n);
}

QString placeholders(qsizetype count)
{
    QStringList marks;
    marks.fill(QStringLiteral("?"), count);
    return marks.join(QLatin1Char(','));
}

} // namespace

GridModel::GridModel(QueryChannel &channel, QObject *parent)
    : QAbstractTableModel(parent), m_channel(channel), m_gridRows(channel)
{
    m_columnOf.fill(-1);
    connect(&m_channel, &QueryChannel::resultChanged, this, &GridModel::onResultChanged);
    onResultChanged();
}

bool GridModel::setHeaderData(int section, Qt::Orientation orientation, const QVariant &value, int role)
{
    if (orientation != Qt::Horizontal || (role != Qt::DisplayRole && role != Qt::EditRole) || section < 0 || section >= kEntryFieldCount)
        return false;
    m_titles[section] = value.toString();
    emit headerDataChanged(orientation, section, section);
    return true;
}

void GridModel::onResultChanged()
{
    // Edits the user has not yet left behind would be lost with the old result: keep them.
    if (isPendingChanged())
        writePending(false);

    const QScopedValueRollback reshaping(m_reshaping, true);
    const QStringList names = m_channel.hasResult() ? m_channel.columnNames() : QStringList();
    std::array<int, kEntryFieldCount> columnOf{};
    for (int f = 0; f < kEntryFieldCount; ++f)
        columnOf[f] = columnIndex(names, fieldName(f));
    const int idColumn = columnIndex(names, QStringLiteral("id"));
    const bool editable = idColumn >= 0
        && m_channel.sourceTable().compare(QLatin1String("tab"), Qt::CaseInsensitive) == 0;
    // A result of the same shape (every search's) replaces the rows only: a reset would have the
    // views lay out and paint their headers anew for columns that stay as they are.
    const bool sameShape = columnOf == m_columnOf && idColumn == m_idColumn && editable == m_editable;
    m_pending = {};
    if (!sameShape) {
        beginResetModel();
    } else if (m_rows > 0) {
        beginRemoveRows({}, 0, m_rows - 1);
        m_rows = 0;
        endRemoveRows();
    }
    m_rows = 0;
    m_columnOf = columnOf;
    m_idColumn = idColumn;
    m_editable = editable;
    int rows = 0;
    if (m_channel.hasResult()) {
        try {
            if (m_channel.fetched() < kFirstScreen && !m_channel.atEnd())
                m_channel.fetch(kFirstScreen - m_channel.fetched());
        } catch (const StoreError &e) {
            fail(e);
        }
        // A larger result still opens empty and grows as the view asks for rows.
        if (m_channel.atEnd())
            rows = std::min(m_channel.fetched(), kFetchChunk);
    }
    if (!sameShape) {
        m_rows = rows;
        endResetModel();
    } else if (rows > 0) {
        beginInsertRows({}, 0, rows - 1);
        m_rows = rows;
        endInsertRows();
    }
}

int GridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int GridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : kEntryFieldCount;
}

bool GridModel::isShown(const QModelIndex &index) const
{
    return index.isValid() && index.model() == this && index.row() < m_rows
        && index.column() < kEntryFieldCount;
}

QVariant GridModel::storedValue(int row, int field) const
{
    const int column = m_columnOf[field];
    return column < 0 ? QVariant() : m_channel.cell(row, column);
}

QVariant GridModel::shownValue(int row, int field) const
{
    if (row == m_pending.row && m_pending.changed[field])
        return m_pending.values[field];
    return storedValue(row, field);
}

QVariant GridModel::data(const QModelIndex &index, int role) const
{
    if (!isShown(index))
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        // Always text, so that the editor is a line edit in which anything can be typed.
        return shownValue(index.row(), index.column()).toString();
    case Qt::TextAlignmentRole:
        if (isNumber(index.column()))
            return int(Qt::AlignRight | Qt::AlignVCenter);
        return {};
    default:
        return {};
    }
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return section >= 0 && section < kEntryFieldCount
                   ? (m_titles[section].isEmpty() ? fieldName(section) : m_titles[section])
                   : QVariant();
    // The row indicator marks a row that exists only in the grid so far.
    return section == m_pending.row && m_pending.isNew ? QStringLiteral("*") : QString();
}

Qt::ItemFlags GridModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (!index.isValid())
        return f;
    f |= Qt::ItemNeverHasChildren;
    const EntryAction typing =
        index.row() == m_pending.row && m_pending.isNew ? EntryAction::Add : EntryAction::Change;
    if (m_editable && m_columnOf[index.column()] >= 0 && m_channel.entryRights().allows(typing))
        f |= Qt::ItemIsEditable;
    return f;
}

bool GridModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || !isShown(index) || !(flags(index) & Qt::ItemIsEditable))
        return false;
    const int field = index.column();
    const QString typed = value.toString();

    // A cell the store cannot take is kept as typed, so that the user can correct it; the row is
    // not written while it is.
    QVariant cell = typed;
    if (isNumber(field)) {
        if (const std::optional<QVariant> number = numberCell(typed))
            cell = *number;
    }

    int row = index.row();
    if (shownValue(row, field).toString() == cell.toString())
        return true;
    if (!beginPending(row))
        return false;
    m_pending.values[field] = cell;
    m_pending.changed[field] = true;
    const QModelIndex changed = this->index(row, field);
    emit dataChanged(changed, changed, {Qt::DisplayRole, Qt::EditRole});
    const std::optional<GridRefusal> refusal = refusalOf(field, cell);
    return !refusal || refuse(*refusal);
}

int GridModel::pendingRefusedField() const
{
    for (int f = 0; f < kEntryFieldCount; ++f)
        if (m_pending.row >= 0 && m_pending.changed[f] && refusalOf(f, m_pending.values[f]))
            return f;
    return -1;
}

std::optional<GridRefusal> GridModel::refusalOf(int field, const QVariant &cell)
{
    if (isNumber(field))
        return cell.typeId() == QMetaType::QString ? std::optional(GridRefusal{GridRefusal::Kind::NotANumber, field})
                                                   : std::nullopt;
    switch (cellFault(cell)) {
    case TextFault::None:
        break;
    case TextFault::Nul:
        return GridRefusal{GridRefusal::Kind::NulInText, field};
    case TextFault::TooLong:
        return GridRefusal{GridRefusal::Kind::TextTooLong, field};
    }
    return std::nullopt;
}

bool GridModel::canFetchMore(const QModelIndex &parent) const
{
    return !parent.isValid() && m_channel.hasResult()
        && (m_rows < m_channel.fetched() || !m_channel.atEnd());
}

void GridModel::fetchMore(const QModelIndex &parent)
{
    // A listener of a change in progress (the model tester, a proxy) may ask for more rows; they
    // would arrive inside that change. The views ask again once it is over.
    if (m_reshaping || !canFetchMore(parent))
        return;
    const int buffered = m_channel.fetched() - m_rows;
    if (buffered < kFetchChunk && !m_channel.atEnd()) {
        try {
            m_channel.fetch(kFetchChunk - buffered);
        } catch (const StoreError &e) {
            fail(e);
            return;
        }
    }
    const int arrived = std::min(m_channel.fetched() - m_rows, kFetchChunk);
    if (arrived <= 0)
        return;
    const QScopedValueRollback reshaping(m_reshaping, true);
    beginInsertRows(QModelIndex(), m_rows, m_rows + arrived - 1);
    m_rows += arrived;
    endInsertRows();
}

bool GridModel::isPendingChanged() const
{
    return m_pending.row >= 0
        && std::any_of(m_pending.changed.cbegin(), m_pending.changed.cend(), [](bool c) { return c; });
}

// Finishing a pending row may drop it (a new row left untouched); `row` follows the rows below it.
static bool finishKeepingPlace(GridModel &model, int &row)
{
    const int pending = model.pendingRow();
    const bool drops = model.isPendingNew() && !model.isPendingChanged();
    if (!model.finishPending())
        return false;
    if (drops && pending < row)
        --row;
    return true;
}

bool GridModel::beginPending(int row)
{
    if (m_pending.row == row)
        return true;
    if (!finishKeepingPlace(*this, row))
        return false;
    m_pending = Pending{};
    m_pending.row = row;
    m_pending.id = m_channel.cell(row, m_idColumn);
    m_pending.read = shownRow(row);
    return true;
}

bool GridModel::tryAction(EntryAction action)
{
    if (m_channel.entryRights().allows(action))
        return true;
    if (!std::exchange(m_toldNotPermitted[int(action)], true))
        refuse({GridRefusal::Kind::NotPermitted, -1, action});
    return false;
}

int GridModel::insertNewRow(int row)
{
    if (!m_editable || !tryAction(EntryAction::Add) || !finishKeepingPlace(*this, row))
        return -1;
    row = std::clamp(row, 0, m_rows);
    insertRowAt(row);
    m_pending = Pending{};
    m_pending.row = row;
    m_pending.isNew = true;
    emit headerDataChanged(Qt::Vertical, row, row);
    return row;
}

int GridModel::appendNewRow()
{
    // Rows not yet read would land after the new one.
    if (canFetchMore(QModelIndex()))
        return -1;
    return insertNewRow(std::numeric_limits<int>::max());
}

bool GridModel::finishPending()
{
    if (m_pending.row < 0)
        return true;
    if (!isPendingChanged()) {
        const Pending dropped = std::exchange(m_pending, Pending{});
        if (dropped.isNew)
            removeRowAt(dropped.row);
        return true;
    }
    if (!writePending(true))
        return false;
    const int row = std::exchange(m_pending, Pending{}).row;
    emit dataChanged(index(row, 0), index(row, kEntryFieldCount - 1), {Qt::DisplayRole, Qt::EditRole});
    emit headerDataChanged(Qt::Vertical, row, row);
    return true;
}

bool GridModel::writePending(bool mirror)
{
    if (const int refused = pendingRefusedField(); refused >= 0)
        return refuse(*refusalOf(refused, m_pending.values[refused]));
    QStringList columns;
    QVariantList params;
    for (int f = 0; f < kEntryFieldCount; ++f) {
        if (m_pending.changed[f]) {
            columns << fieldName(f);
            params << m_pending.values[f];
        }
    }
    try {
        if (m_pending.isNew) {
            const QString sql = QStringLiteral("insert into tab (%1) values (%2)")
                                    .arg(columns.join(QLatin1Char(',')), placeholders(columns.size()));
            m_pending.id = m_channel.write(sql, params).lastId;
            m_pending.isNew = false;
            if (mirror)
                m_gridRows.setCell(m_pending.row, m_idColumn, m_pending.id);
        } else if (!updatePending(columns, params, mirror)) {
            return false;
        }
    } catch (const StoreError &e) {
        return fail(e);
    }
    if (mirror) {
        for (int f = 0; f < kEntryFieldCount; ++f)
            if (m_pending.changed[f])
                m_gridRows.setCell(m_pending.row, m_columnOf[f], m_pending.values[f]);
    }
    return true;
}

QString GridModel::asRead(const std::array<QVariant, kEntryFieldCount> &read, QVariantList &criteria)
{
    const bool server = m_channel.dialect() == Dialect::Postgres;
    QString sql;
    for (int f = 0; f < kEntryFieldCount; ++f) {
        if (m_columnOf[f] < 0)
            continue;
        if (!server)
            sql += QStringLiteral(" and %1 is ? collate binary").arg(fieldName(f));
        else if (isNumber(f))
            sql += QStringLiteral(" and %1 is not distinct from ?").arg(fieldName(f));
        else
            sql += QStringLiteral(" and %1 collate \"C\" is not distinct from ?").arg(fieldName(f));
        criteria << read[f];
    }
    return sql;
}

std::array<QVariant, kEntryFieldCount> GridModel::shownRow(int row) const
{
    std::array<QVariant, kEntryFieldCount> values;
    for (int f = 0; f < kEntryFieldCount; ++f)
        values[f] = storedValue(row, f);
    return values;
}

bool GridModel::isStored(const QVariant &id)
{
    return !m_channel.scalar(QStringLiteral("select 1 from tab where id=?"), {id}).isNull();
}

bool GridModel::showAsStored(int row, const QVariant &id)
{
    if (!isStored(id)) {
        removeRowAt(row);
        return false;
    }
    // A change landing between these reads only makes the next write find the row changed again.
    for (int f = 0; f < kEntryFieldCount; ++f)
        if (m_columnOf[f] >= 0)
            m_gridRows.setCell(row, m_columnOf[f],
                              m_channel.scalar(QStringLiteral("select %1 from tab where id=?").arg(fieldName(f)), {id}));
    emit dataChanged(index(row, 0), index(row, kEntryFieldCount - 1), {Qt::DisplayRole, Qt::EditRole});
    emit headerDataChanged(Qt::Vertical, row, row);
    return true;
}

bool GridModel::updatePending(const QStringList &columns, const QVariantList &values, bool mirror)
{
    QVariantList criteria{m_pending.id};
    const QString sql = QStringLiteral("update tab set %1=? where id=?").arg(columns.join(QStringLiteral("=?,")))
        + asRead(m_pending.read, criteria);
    if (m_channel.write(sql, values, criteria).changes > 0)
        return true;
    const Pending stale = std::exchange(m_pending, Pending{});
    // Without mirroring the row belongs to a result that is gone; the edits go with it.
    const bool stored = mirror ? showAsStored(stale.row, stale.id) : isStored(stale.id);
    return refuse({stored ? GridRefusal::Kind::RowChanged : GridRefusal::Kind::RowDeleted});
}

void GridModel::revertPending()
{
    if (m_pending.row < 0)
        return;
    const Pending dropped = std::exchange(m_pending, Pending{});
    if (dropped.isNew)
        removeRowAt(dropped.row);
    else
        emit dataChanged(index(dropped.row, 0), index(dropped.row, kEntryFieldCount - 1),
                         {Qt::DisplayRole, Qt::EditRole});
}

bool GridModel::deleteRow(int row)
{
    if (!m_editable || row < 0 || row >= m_rows || !tryAction(EntryAction::Delete))
        return false;
    if (m_pending.row != row && !finishKeepingPlace(*this, row))
        return false;
    const bool mine = m_pending.row == row;
    if (!(mine && m_pending.isNew)) {
        // What was typed into the row goes with it; what the grid read of it must still hold.
        const QVariant id = mine ? m_pending.id : m_channel.cell(row, m_idColumn);
        QVariantList criteria{id};
        const QString sql = QStringLiteral("delete from tab where id=?") + asRead(mine ? m_pending.read : shownRow(row), criteria);
        try {
            if (m_channel.write(sql, {}, criteria).changes == 0) {
                if (mine)
                    m_pending = Pending{};
                // Gone already is what the user asked for; changed is not what the user saw.
                return !showAsStored(row, id) || refuse({GridRefusal::Kind::RowChanged});
            }
        } catch (const StoreError &e) {
            return fail(e);
        }
    }
    if (mine)
        m_pending = Pending{};
    removeRowAt(row);
    return true;
}

void GridModel::insertRowAt(int row)
{
    const QScopedValueRollback reshaping(m_reshaping, true);
    beginInsertRows(QModelIndex(), row, row);
    m_gridRows.insertRow(row);
    ++m_rows;
    endInsertRows();
}

void GridModel::removeRowAt(int row)
{
    const QScopedValueRollback reshaping(m_reshaping, true);
    beginRemoveRows(QModelIndex(), row, row);
    m_gridRows.removeRow(row);
    --m_rows;
    endRemoveRows();
}

bool GridModel::fail(const StoreError &error)
{
    emit errorOccurred(error);
    return false;
}

bool GridModel::refuse(const GridRefusal &refusal)
{
    emit editRefused(refusal);
    return false;
}

} // namespace store
