#pragma once

// The byte stream from zelvik-jet-reader to the importer. Plain C++ on both sides, so the reader
// stays free of Qt. A frame is its kind (one byte), the payload length (u32, little endian) and the
// payload: cells back to back. Every number on the wire is little endian whatever the machine.

#include <bit>
#include <cstdint>
#include <string>
#include <string_view>

namespace jet::framing {

enum class FrameKind : char {
    Hello = 'H',    // format name, version
    Plan = 'P',     // tables to come, rows in all of them (as the file's table headers say)
    Table = 'T',    // name, rows expected, column count, then per column: name, kind, flags
    Row = 'R',      // one cell per column, in column order
    TableEnd = 'E', // rows sent for the table
    End = 'Z',      // tables sent; the stream is complete only with this frame
    Failure = 'X',  // reason, detail (Value: table, column, row)
};

enum class CellTag : char {
    Null = 'n',
    Integer = 'i', // 8 bytes, two's complement
    Real = 'r',    // 8 bytes, IEEE 754 double
    Text = 't',    // u32 length, UTF-8
    Blob = 'b',    // u32 length, bytes
};

// What a column holds, independent of Jet's own type codes.
enum class ColumnKind : std::int64_t {
    Boolean = 1,
    Integer,  // byte, integer, long integer, counter
    Real,     // single, double
    Money,    // exact decimal text with four places
    Decimal,  // exact decimal text
    DateTime, // "YYYY-MM-DD HH:MM:SS[.mmm]"
    Text,
    Memo,
    Guid, // "{XXXXXXXX-...}" text
    Binary,
    OleObject,
    Other, // a type this reader does not know: its raw bytes
};

// Bits of a column's flags.
inline constexpr std::int64_t kAutoNumber = 1;
inline constexpr std::int64_t kPrimaryKey = 2; // the column is part of the table's primary key

enum class FailureReason : std::int64_t {
    Open = 1, // not a Jet file, or unreadable
    Catalog,  // the list of tables could not be read
    Table,    // a table's definition could not be read; detail names it
    Value,    // a value could not be read: its table, column (empty for a whole row) and row, three cells
};

inline constexpr std::string_view kFormat = "zelvik-jet-rows";
inline constexpr std::int64_t kVersion = 1;
inline constexpr std::size_t kFrameHeaderSize = 5;

inline void appendU32(std::string &out, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(char((v >> (8 * i)) & 0xFF));
}

inline void appendU64(std::string &out, std::uint64_t v)
{
    for (int i = 0; i < 8; ++i)
        out.push_back(char((v >> (8 * i)) & 0xFF));
}

inline std::uint32_t readU32(const char *p)
{
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | static_cast<unsigned char>(p[i]);
    return v;
}

inline std::uint64_t readU64(const char *p)
{
    std::uint64_t v = 0;
    for (int i = 7; i >= 0; --i)
        v = (v << 8) | static_cast<unsigned char>(p[i]);
    return v;
}

inline std::uint64_t realBits(double d)
{
    return std::bit_cast<std::uint64_t>(d);
}

inline double realFromBits(std::uint64_t bits)
{
    return std::bit_cast<double>(bits);
}

} // namespace jet::framing
