// libpq is loaded the first time a server is used, not when a program starts. Linked directly it
// brings some twenty libraries (Kerberos, LDAP, GnuTLS, OpenSSL) whose loading and initialisers cost
// every start of zelvik and zelvik-cli several milliseconds, though most runs use a directory file.
//
// The functions below stand in for libpq's own under the same names: the store calls them as
// usual, and each forwards to the library's function, looked up once. A connection or result comes
// only from a library that was loaded, so only the functions that start a connection or read
// connection options load it, and releasing nothing never does.
#include "store/storeerror.h"
#include "store/platform/sharedlibrary.h"

#include <libpq-fe.h>

namespace {

void *library()
{
    static QString reason;
    static void *const handle = store::loadSharedLibrary(store::kServerLibrary, &reason);
    if (!handle)
        throw store::StoreError(store::StoreError::Kind::ServerLibraryNotLoaded,
                                {QLatin1String(store::kServerLibrary), reason});
    return handle;
}

// The library's own function (the handle's lookup starts at libpq, never at these stand-ins).
template <typename Function>
Function symbol(const char *name)
{
    void *address = store::sharedLibrarySymbol(library(), name);
    if (!address)
        throw store::StoreError(store::StoreError::Kind::ServerLibraryIncomplete,
                                {QLatin1String(store::kServerLibrary), QLatin1String(name)});
    return reinterpret_cast<Function>(address);
}

} // namespace

// The body of a stand-in: the library's function, found on the first call, called with the arguments.
#define ZELVIK_PQ_FORWARD(name, arguments)                             \
    {                                                                  \
        static const auto real = symbol<decltype(&name)>(#name);       \
        return real arguments;                                         \
    }

extern "C" {

PGconn *PQconnectdbParams(const char *const *keywords, const char *const *values, int expand_dbname)
ZELVIK_PQ_FORWARD(PQconnectdbParams, (keywords, values, expand_dbname))

PGconn *PQconnectStartParams(const char *const *keywords, const char *const *values, int expand_dbname)
ZELVIK_PQ_FORWARD(PQconnectStartParams, (keywords, values, expand_dbname))

PostgresPollingStatusType PQconnectPoll(PGconn *conn)
ZELVIK_PQ_FORWARD(PQconnectPoll, (conn))

PQconninfoOption *PQconndefaults(void)
ZELVIK_PQ_FORWARD(PQconndefaults, ())

PQconninfoOption *PQconninfoParse(const char *conninfo, char **errmsg)
ZELVIK_PQ_FORWARD(PQconninfoParse, (conninfo, errmsg))

void PQconninfoFree(PQconninfoOption *connOptions)
{
    if (connOptions)
        ZELVIK_PQ_FORWARD(PQconninfoFree, (connOptions))
}

void PQfinish(PGconn *conn)
{
    if (conn)
        ZELVIK_PQ_FORWARD(PQfinish, (conn))
}

void PQclear(PGresult *res)
{
    if (res)
        ZELVIK_PQ_FORWARD(PQclear, (res))
}

void PQfreemem(void *ptr)
{
    if (ptr)
        ZELVIK_PQ_FORWARD(PQfreemem, (ptr))
}

ConnStatusType PQstatus(const PGconn *conn)
{
    if (!conn)
        return CONNECTION_BAD;
    ZELVIK_PQ_FORWARD(PQstatus, (conn))
}

PGTransactionStatusType PQtransactionStatus(const PGconn *conn)
ZELVIK_PQ_FORWARD(PQtransactionStatus, (conn))

char *PQerrorMessage(const PGconn *conn)
ZELVIK_PQ_FORWARD(PQerrorMessage, (conn))

int PQsocket(const PGconn *conn)
ZELVIK_PQ_FORWARD(PQsocket, (conn))

int PQconnectionNeedsPassword(const PGconn *conn)
ZELVIK_PQ_FORWARD(PQconnectionNeedsPassword, (conn))

int PQconnectionUsedPassword(const PGconn *conn)
ZELVIK_PQ_FORWARD(PQconnectionUsedPassword, (conn))

PQnoticeProcessor PQsetNoticeProcessor(PGconn *conn, PQnoticeProcessor proc, void *arg)
ZELVIK_PQ_FORWARD(PQsetNoticeProcessor, (conn, proc, arg))

PGresult *PQexec(PGconn *conn, const char *query)
ZELVIK_PQ_FORWARD(PQexec, (conn, query))

PGresult *PQexecParams(PGconn *conn, const char *command, int nParams, const Oid *paramTypes,
                       const char *const *paramValues, const int *paramLengths, const int *paramFormats,
                       int resultFormat)
ZELVIK_PQ_FORWARD(PQexecParams, (conn, command, nParams, paramTypes, paramValues, paramLengths, paramFormats,
                                   resultFormat))

PGresult *PQprepare(PGconn *conn, const char *stmtName, const char *query, int nParams, const Oid *paramTypes)
ZELVIK_PQ_FORWARD(PQprepare, (conn, stmtName, query, nParams, paramTypes))

PGresult *PQexecPrepared(PGconn *conn, const char *stmtName, int nParams, const char *const *paramValues,
                         const int *paramLengths, const int *paramFormats, int resultFormat)
ZELVIK_PQ_FORWARD(PQexecPrepared, (conn, stmtName, nParams, paramValues, paramLengths, paramFormats, resultFormat))

int PQsetnonblocking(PGconn *conn, int arg)
ZELVIK_PQ_FORWARD(PQsetnonblocking, (conn, arg))

int PQsendQuery(PGconn *conn, const char *query)
ZELVIK_PQ_FORWARD(PQsendQuery, (conn, query))

int PQsendQueryParams(PGconn *conn, const char *command, int nParams, const Oid *paramTypes,
                      const char *const *paramValues, const int *paramLengths, const int *paramFormats,
                      int resultFormat)
ZELVIK_PQ_FORWARD(PQsendQueryParams, (conn, command, nParams, paramTypes, paramValues, paramLengths, paramFormats,
                                        resultFormat))

int PQsendPrepare(PGconn *conn, const char *stmtName, const char *query, int nParams, const Oid *paramTypes)
ZELVIK_PQ_FORWARD(PQsendPrepare, (conn, stmtName, query, nParams, paramTypes))

int PQsendQueryPrepared(PGconn *conn, const char *stmtName, int nParams, const char *const *paramValues,
                        const int *paramLengths, const int *paramFormats, int resultFormat)
ZELVIK_PQ_FORWARD(PQsendQueryPrepared, (conn, stmtName, nParams, paramValues, paramLengths, paramFormats,
                                          resultFormat))

int PQsendDescribePrepared(PGconn *conn, const char *stmt)
ZELVIK_PQ_FORWARD(PQsendDescribePrepared, (conn, stmt))

int PQflush(PGconn *conn)
ZELVIK_PQ_FORWARD(PQflush, (conn))

int PQconsumeInput(PGconn *conn)
ZELVIK_PQ_FORWARD(PQconsumeInput, (conn))

int PQisBusy(PGconn *conn)
ZELVIK_PQ_FORWARD(PQisBusy, (conn))

PGresult *PQgetResult(PGconn *conn)
ZELVIK_PQ_FORWARD(PQgetResult, (conn))

PGcancel *PQgetCancel(PGconn *conn)
ZELVIK_PQ_FORWARD(PQgetCancel, (conn))

int PQcancel(PGcancel *cancel, char *errbuf, int errbufsize)
ZELVIK_PQ_FORWARD(PQcancel, (cancel, errbuf, errbufsize))

void PQfreeCancel(PGcancel *cancel)
{
    if (cancel)
        ZELVIK_PQ_FORWARD(PQfreeCancel, (cancel))
}

int PQputCopyData(PGconn *conn, const char *buffer, int nbytes)
ZELVIK_PQ_FORWARD(PQputCopyData, (conn, buffer, nbytes))

int PQputCopyEnd(PGconn *conn, const char *errormsg)
ZELVIK_PQ_FORWARD(PQputCopyEnd, (conn, errormsg))

ExecStatusType PQresultStatus(const PGresult *res)
ZELVIK_PQ_FORWARD(PQresultStatus, (res))

char *PQresultErrorMessage(const PGresult *res)
ZELVIK_PQ_FORWARD(PQresultErrorMessage, (res))

char *PQresultErrorField(const PGresult *res, int fieldcode)
ZELVIK_PQ_FORWARD(PQresultErrorField, (res, fieldcode))

int PQntuples(const PGresult *res)
ZELVIK_PQ_FORWARD(PQntuples, (res))

int PQnfields(const PGresult *res)
ZELVIK_PQ_FORWARD(PQnfields, (res))

char *PQfname(const PGresult *res, int field_num)
ZELVIK_PQ_FORWARD(PQfname, (res, field_num))

Oid PQftable(const PGresult *res, int field_num)
ZELVIK_PQ_FORWARD(PQftable, (res, field_num))

Oid PQftype(const PGresult *res, int field_num)
ZELVIK_PQ_FORWARD(PQftype, (res, field_num))

char *PQgetvalue(const PGresult *res, int tup_num, int field_num)
ZELVIK_PQ_FORWARD(PQgetvalue, (res, tup_num, field_num))

int PQgetlength(const PGresult *res, int tup_num, int field_num)
ZELVIK_PQ_FORWARD(PQgetlength, (res, tup_num, field_num))

int PQgetisnull(const PGresult *res, int tup_num, int field_num)
ZELVIK_PQ_FORWARD(PQgetisnull, (res, tup_num, field_num))

char *PQcmdTuples(PGresult *res)
ZELVIK_PQ_FORWARD(PQcmdTuples, (res))

unsigned char *PQunescapeBytea(const unsigned char *strtext, size_t *retbuflen)
ZELVIK_PQ_FORWARD(PQunescapeBytea, (strtext, retbuflen))

PQconninfoOption *PQconninfo(PGconn *conn)
ZELVIK_PQ_FORWARD(PQconninfo, (conn))

} // extern "C"
