#pragma once

#include <QString>
#include <QStringList>
#include <exception>
#include <memory>
#include <stdexcept>
#include <string>

namespace store {

// A failure's line for logs and what(): its type and kind's number, where it happened, its details,
// then its cause's line.
inline std::string failureLogLine(const char *type, int kind, const QStringList &places, const QStringList &details,
                                  const std::exception *cause)
{
    QString text = QStringLiteral("%1 %2").arg(QLatin1String(type)).arg(kind);
    for (const QString &place : places)
        text += QStringLiteral(": ") + place;
    if (!details.isEmpty())
        text += QStringLiteral(": ") + details.join(QStringLiteral("; "));
    std::string line = text.toStdString();
    if (cause)
        line += std::string(" <- ") + cause->what();
    return line;
}

// Every failure of the store (open, statement, missing column, a file or server it cannot use)
// surfaces as this error. It holds no words: a kind, its details, which are data (a file's name, a
// column, a number, the engine's own message as SQLite or the server gave it), the places it
// happened in and, when another failure led to it, that one. messages::errorText words it in Russian
// for the window and the CLI. An expected refusal is no error: the grid's are store::GridRefusal.
class StoreError : public std::exception {
public:
    enum class Kind {
        EngineFailure,        // details: the engine's message (SQLite's or the server's)
        OutOfMemory,          // details: the engine's message, when it gave one
        DiskIoFailure,        // details: the file (empty when the database is no file), SQLite's message
        ReadOnlyFile,         // details: the file's name, SQLite's message
        DamagedFile,          // details: the file's name, what is damaged
        DirectoryFileMissing, // db.dat is not there
        HistoryFileMissing,   // history.dat is not there
        ServerUnavailable,    // cause: why the server's directory cannot be used
        FileMissing,          // details: the file
        NotADirectoryFile,    // details: the file (it has no table tab)
        PendingLog,           // details: the file, its log (the folder may not be written, the log holds changes)
        NetworkShareJournal,  // details: the file (on a network share it cannot stay in WAL mode), SQLite's message
        CollationNotRegistered, // details: SQLite's message
        ServerUnreachable,    // details: the server, libpq's message
        ServerLost,           // details: the server, libpq's message
        ServerLoginRefused,   // details: the server, libpq's message (a wrong password, or no such login)
        ConnectionStringUnreadable, // libpq cannot read the connection string (its reason would quote it)
        NotPermitted,         // details: the statement's first word (select, insert, update, delete...), the server's message
        DirectoryBusy,        // details: SQLite's message (another program holds the write lock past the busy timeout)
        ServerWithoutDirectory, // details: the server (it lacks the directory's tables)
        ServerHoldsTables,    // details: the server, the directory's tables it already holds
        ServerBeingFilled,    // details: the server (another run is making the directory there right now)
        ServerLibraryNotLoaded, // details: the library's file, the loader's message
        ServerLibraryIncomplete, // details: the library's file, the function it lacks
        NotAnInteger,         // details: the text
        NoSuchColumn,         // details: the column
        EmptyStatement,       // the statement holds nothing to run
        TextAfterStatement,   // more follows the end of the one statement
        UnboundParameter,     // details: the parameter ($A, :x, ?3), which no value is given for
        ParameterCountMismatch, // details: the parameters the statement has, the values given
        TopWithoutCount,      // "select top" without a whole number of rows
        TopPercent,           // "select top N percent"
        UnterminatedText,     // a text literal is not closed
        NulInStatement,       // the statement holds a NUL character
        TablesNotCreated,     // details: the engine's message
        SampleDataUnreadable, // details: the sample data file, the reason Qt gives
        SampleParamMissing,   // details: the key param.txt lacks or holds no number for
        FileExists,           // details: the file, which is not replaced
        FileNotStaged,        // details: the file, the system's reason a new file beside it cannot be made
        FileNotPublished,     // details: the file, the system's reason the new file did not get its name
        FileNotWritten,       // details: the file, the system's reason
        RegionNotEncodable,   // details: conf.cfg (the region is no one line of Windows-1251)
        ServerFolderIncomplete, // cause: the file of the folder that could not be written; the tables stay
        TableNotWritten,      // details: the reason the output device gives (an export)
        RowNotWritten,        // details: the table, the row (from 1); cause: the engine's failure
        ParamTableEmpty,      // the directory's param table has no row
        ParamValueMissing,    // details: the column of param that holds no value
        PhoneLengthUnfit,     // details: param's tel, the longest phone number
        ServerCertificateUntrusted, // details: the server, libpq's message (sslrootcert does not vouch for it)
        ServerCertificateMismatch, // details: the server, libpq's message (issued to another host name)
        ServerWithoutEncryption, // details: the server, libpq's message (no TLS, which sslmode requires)
        ServerRequiresEncryption, // details: the server, its message (pg_hba.conf lets in no unencrypted connection)
        NulInText,            // details: the text up to its NUL (a text to be written or compared)
        TextTooLong,          // details: the text's beginning, its length in characters, the limit
        CellNotWritten,       // details: the table, the row's id, the column; cause: why its value was refused
        RoleCreationNotAllowed, // details: the login (it lacks CREATEROLE)
        RoleAdminMissing,     // details: the login, the role it has no ADMIN OPTION on
        TableNotOwned,        // details: the login, the table it does not own (only the owner grants on it)
        TextRefusedByStore,   // details: the column of tab, empty when the store does not say (a text the
                              // engine built, past the limit or with a NUL, refused by the store's own check)
        RoleNameTooLong,      // details: the database, its name's length in bytes, the longest it may be
                              // (the directory's roles are named after it, and the server cuts longer names)
        RoleMembersLeft,      // details: the roles of an older directory of that name and their members
        LoginMissing,         // details: the login (the server has no role of that name)
        ServerDatabaseMissing, // details: the server, libpq's message (no database of the name dbname gives)
        ServerPasswordMissing, // details: the server, libpq's message (it asks for a password and none was found)
        ServerNotLetIn,       // details: the server, libpq's message (no line of pg_hba.conf lets this login in)
        ServerRootCertificateMissing, // details: the server, the file (sslrootcert, or libpq's default), libpq's message
        ServerTimedOut,       // details: the server, the seconds waited (for its answer, or to connect)
    };
    // The number of kinds; the last one above is ServerTimedOut.
    static constexpr int kindCount = int(Kind::ServerTimedOut) + 1;

    explicit StoreError(Kind kind, QStringList details = {}) : m_kind(kind), m_details(std::move(details))
    {
        describe();
    }

    // An error of this kind that another one led to.
    static StoreError because(Kind kind, const StoreError &cause, QStringList details = {})
    {
        StoreError error(kind, std::move(details));
        error.m_cause = std::make_shared<const StoreError>(cause);
        error.describe();
        return error;
    }

    Kind kind() const { return m_kind; }
    const StoreError *cause() const { return m_cause.get(); }
    const QStringList &details() const { return m_details; }
    // Where it happened, outermost first: the files, tables or servers it was about (data, no
    // words); often empty.
    const QStringList &places() const { return m_places; }
    // The same error, having happened in place (a file's path, a table's or a server's name).
    StoreError at(const QString &place) const
    {
        StoreError error = *this;
        if (!place.isEmpty()) {
            error.m_places.prepend(place);
            error.describe();
        }
        return error;
    }

    // For logs and diagnostics, never shown as the user's words: the kind's number, the places and
    // the details, then the cause's.
    const char *what() const noexcept override { return m_what.c_str(); }

private:
    void describe() { m_what = failureLogLine("store error", int(m_kind), m_places, m_details, m_cause.get()); }

    Kind m_kind;
    QStringList m_details;
    QStringList m_places;
    std::shared_ptr<const StoreError> m_cause;
    std::string m_what;
};

} // namespace store
