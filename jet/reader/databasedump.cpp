#include "jet/reader/databasedump.h"

#include "jet/reader/fieldcells.h"
#include "jet/reader/framewriter.h"
#include "jet/reader/libmdb.h"

#include <memory>
#include <string>
#include <vector>

using namespace jet::framing;

namespace {

constexpr int kRowOffsetMask = 0x1FFF; // the row-offset table keeps flags in the top bits
constexpr unsigned char kPrimaryKeyIndex = 1;

struct HandleCloser {
    void operator()(MdbHandle *mdb) const { mdb_close(mdb); }
};
struct TableFreer {
    void operator()(MdbTableDef *table) const { mdb_free_tabledef(table); }
};
using Handle = std::unique_ptr<MdbHandle, HandleCloser>;
using Table = std::unique_ptr<MdbTableDef, TableFreer>;

int fail(FrameWriter &out, FailureReason reason, const std::string &detail)
{
    out.begin(FrameKind::Failure);
    out.integer(static_cast<std::int64_t>(reason));
    out.text(detail);
    out.end();
    out.flush();
    return 1;
}

// A value that cannot be read, named by its table, its column (empty: the whole row) and its row.
int failValue(FrameWriter &out, const char *table, const char *column, std::int64_t row)
{
    out.begin(FrameKind::Failure);
    out.integer(static_cast<std::int64_t>(FailureReason::Value));
    out.text(table);
    out.text(column);
    out.integer(row);
    out.end();
    out.flush();
    return 1;
}

MdbColumn *columnAt(MdbTableDef *table, unsigned i)
{
    return static_cast<MdbColumn *>(g_ptr_array_index(table->columns, i));
}

std::vector<bool> primaryKeyColumns(MdbTableDef *table)
{
    std::vector<bool> key(table->num_cols, false);
    if (!table->indices)
        return key;
    for (guint i = 0; i < table->indices->len; ++i) {
        const auto *index = static_cast<const MdbIndex *>(g_ptr_array_index(table->indices, i));
        if (index->index_type != kPrimaryKeyIndex)
            continue;
        for (unsigned k = 0; k < index->num_keys && k < MDB_MAX_IDX_COLS; ++k) {
            const int column = index->key_col_num[k] - 1; // numbered from 1
            if (column >= 0 && column < int(table->num_cols))
                key[std::size_t(column)] = true;
        }
    }
    return key;
}

bool sendTableHeader(FrameWriter &out, MdbTableDef *table)
{
    const std::vector<bool> key = primaryKeyColumns(table);
    out.begin(FrameKind::Table);
    out.text(table->name);
    out.integer(table->num_rows);
    out.integer(table->num_cols);
    for (unsigned i = 0; i < table->num_cols; ++i) {
        const MdbColumn *column = columnAt(table, i);
        out.text(column->name);
        out.integer(static_cast<std::int64_t>(columnKind(*column)));
        out.integer((column->is_long_auto ? kAutoNumber : 0) | (key[i] ? kPrimaryKey : 0));
    }
    return out.end();
}

// Lets libmdb find each live row (it skips deleted ones), then splits the row up again to see the
// null mask, which libmdb's bound values hide: NULL and "" both come back as "" there.
int sendRows(FrameWriter &out, MdbHandle *mdb, MdbTableDef *table)
{
    std::vector<MdbField> fields(table->num_cols);
    std::int64_t sent = 0;
    mdb_rewind_table(table);
    while (mdb_fetch_row(table)) {
        int rowStart = 0;
        size_t rowSize = 0;
        if (mdb_find_row(mdb, int(table->cur_row) - 1, &rowStart, &rowSize) != 0
            || mdb_crack_row(table, rowStart & kRowOffsetMask, rowSize, fields.data()) < 0)
            return failValue(out, table->name, "", sent + 1);
        out.begin(FrameKind::Row);
        for (unsigned i = 0; i < table->num_cols; ++i) {
            MdbColumn *column = columnAt(table, unsigned(fields[i].colnum));
            if (!appendCell(out, mdb, column, fields[i]))
                return failValue(out, table->name, column->name, sent + 1);
        }
        if (!out.end())
            return 1;
        ++sent;
    }
    out.begin(FrameKind::TableEnd);
    out.integer(sent);
    return out.end() ? 0 : 1;
}

} // namespace

int dumpDatabase(const char *path, FrameWriter &out)
{
    out.begin(FrameKind::Hello);
    out.text(kFormat);
    out.integer(kVersion);
    if (!out.end())
        return 1;

    Handle mdb(mdb_open(path, MDB_NOFLAGS));
    if (!mdb)
        return fail(out, FailureReason::Open, path);
    if (!mdb_read_catalog(mdb.get(), MDB_TABLE))
        return fail(out, FailureReason::Catalog, path);

    std::vector<Table> tables;
    std::int64_t rowsTotal = 0;
    for (unsigned i = 0; i < mdb->num_catalog; ++i) {
        auto *entry = static_cast<MdbCatalogEntry *>(g_ptr_array_index(mdb->catalog, i));
        if (entry->object_type != MDB_TABLE || !mdb_is_user_table(entry))
            continue;
        Table table(mdb_read_table(entry));
        if (!table || !mdb_read_columns(table.get()))
            return fail(out, FailureReason::Table, entry->object_name);
        mdb_read_indices(table.get()); // without them only the primary-key flags are missing
        rowsTotal += table->num_rows;
        tables.push_back(std::move(table));
    }

    out.begin(FrameKind::Plan);
    out.integer(std::int64_t(tables.size()));
    out.integer(rowsTotal);
    if (!out.end())
        return 1;

    for (const Table &table : tables) {
        if (!sendTableHeader(out, table.get()))
            return 1;
        if (const int status = sendRows(out, mdb.get(), table.get()); status != 0)
            return status;
    }
    out.begin(FrameKind::End);
    out.integer(std::int64_t(tables.size()));
    return out.end() && out.flush() ? 0 : 1;
}
