#include "store/postgres/readretry.h"

#include "store/connection.h"

#include <libpq-fe.h>

#include <algorithm>
#include <cctype>

namespace store {

bool mayRetryRead(const Connection &connection, pg_conn *conn, const std::string &sql)
{
    if (connection.isBorrowed() || PQtransactionStatus(conn) != PQTRANS_IDLE)
        return false;
    const auto start = sql.find_first_not_of(" \t\r\n(");
    return start != std::string::npos && sql.size() - start > 6
        && std::equal(sql.begin() + std::ptrdiff_t(start), sql.begin() + std::ptrdiff_t(start) + 6, "select",
                      [](char a, char b) { return (a | 0x20) == b; })
        && !std::isalnum(static_cast<unsigned char>(sql[start + 6]));
}

} // namespace store
