#include "jet/reader/fieldcells.h"

#include "jet/reader/framewriter.h"
#include "jet/reader/jetdatetime.h"
#include "jet/reader/jettext.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

using jet::framing::ColumnKind;

namespace {

bool isJet3(const MdbHandle *mdb)
{
    return mdb->f->jet_version == MDB_VER_JET3;
}

// Jet 3 text is in the file's code page, which libmdb converts through iconv (MDB_JET3_CHARSET).
std::string decodedText(MdbHandle *mdb, std::string_view stored)
{
    if (!isJet3(mdb))
        return jetTextToUtf8(stored);
    std::vector<char> out(stored.size() * 4 + 1);
    const int length = mdb_unicode2ascii(mdb, stored.data(), stored.size(), out.data(), out.size() - 1);
    return std::string(out.data(), static_cast<std::size_t>(length));
}

void appendOwnedText(FrameWriter &out, gchar *text)
{
    out.text(text ? text : "");
    g_free(text);
}

// A memo or OLE value: a 12-byte header on the row's page (length and flags, then where the
// value lives) followed by the value itself, or by a chain of long-value pages. The declared
// length is authoritative: chain rows may carry slack, but a chain that ends short is damage.
bool readLongValue(MdbHandle *mdb, MdbColumn *column, const MdbField &field, std::string &value)
{
    value.clear();
    if (field.siz < MDB_MEMO_OVERHEAD)
        return true;
    char header[MDB_MEMO_OVERHEAD];
    std::memcpy(header, mdb->pg_buf + field.start, sizeof header);
    const std::size_t declared = static_cast<std::uint32_t>(mdb_get_int32(header, 0)) & 0x3FFFFFFFu;

    std::vector<char> chunk(static_cast<std::size_t>(mdb->fmt->pg_size));
    column->bind_ptr = chunk.data();
    column->cur_value_start = field.start;
    column->cur_value_len = field.siz;
    std::size_t n = mdb_ole_read(mdb, column, header, chunk.size());
    value.assign(chunk.data(), n);
    // A chain that loops back on itself keeps delivering; the declared length stops it.
    while (value.size() < declared && (n = mdb_ole_read_next(mdb, column, header)) > 0)
        value.append(chunk.data(), n);
    column->bind_ptr = nullptr;

    if (value.size() < declared)
        return false;
    value.resize(declared);
    return true;
}

} // namespace

ColumnKind columnKind(const MdbColumn &column)
{
    switch (column.col_type) {
    case MDB_BOOL:
        return ColumnKind::Boolean;
    case MDB_BYTE:
    case MDB_INT:
    case MDB_LONGINT:
    case MDB_COMPLEX:
        return ColumnKind::Integer;
    case MDB_FLOAT:
    case MDB_DOUBLE:
        return ColumnKind::Real;
    case MDB_MONEY:
        return ColumnKind::Money;
    case MDB_NUMERIC:
        return ColumnKind::Decimal;
    case MDB_DATETIME:
        return ColumnKind::DateTime;
    case MDB_TEXT:
        return ColumnKind::Text;
    case MDB_MEMO:
        return ColumnKind::Memo;
    case MDB_REPID:
        return ColumnKind::Guid;
    case MDB_BINARY:
        return ColumnKind::Binary;
    case MDB_OLE:
        return ColumnKind::OleObject;
    default:
        return ColumnKind::Other;
    }
}

bool appendCell(FrameWriter &out, MdbHandle *mdb, MdbColumn *column, const MdbField &field)
{
    // A yes/no column has no null: its value is the null-mask bit itself.
    if (column->col_type == MDB_BOOL) {
        out.integer(field.is_null ? 0 : 1);
        return true;
    }
    if (field.is_null) {
        out.null();
        return true;
    }
    unsigned char *page = mdb->pg_buf;
    const int start = field.start;
    const std::string_view stored(reinterpret_cast<const char *>(page) + start,
                                  static_cast<std::size_t>(field.siz > 0 ? field.siz : 0));
    switch (column->col_type) {
    case MDB_BYTE:
        out.integer(mdb_get_byte(page, start));
        break;
    case MDB_INT:
        out.integer(static_cast<std::int16_t>(mdb_get_int16(page, start)));
        break;
    case MDB_LONGINT:
    case MDB_COMPLEX:
        out.integer(static_cast<std::int32_t>(mdb_get_int32(page, start)));
        break;
    case MDB_FLOAT:
        out.real(mdb_get_single(page, start));
        break;
    case MDB_DOUBLE:
        out.real(mdb_get_double(page, start));
        break;
    case MDB_DATETIME:
        out.text(jetDateTimeText(mdb_get_double(page, start)));
        break;
    case MDB_MONEY:
        appendOwnedText(out, mdb_money_to_string(mdb, start));
        break;
    case MDB_NUMERIC:
        appendOwnedText(out, mdb_numeric_to_string(mdb, start, column->col_scale, column->col_prec));
        break;
    case MDB_REPID:
        appendOwnedText(out, mdb_uuid_to_string(page, start));
        break;
    case MDB_TEXT:
        out.text(decodedText(mdb, stored));
        break;
    case MDB_MEMO:
    case MDB_OLE: {
        std::string value;
        if (!readLongValue(mdb, column, field, value))
            return false;
        if (column->col_type == MDB_MEMO)
            out.text(decodedText(mdb, value));
        else
            out.blob(value);
        break;
    }
    default:
        out.blob(stored);
        break;
    }
    return true;
}
