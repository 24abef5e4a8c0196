#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <stdexcept>

namespace store {

// Every failure of the store (open, statement, missing column), of an import, and every refusal of the
// grid surfaces as this error. It says what went wrong, never in the user's words: the kind and its
// details, after the context it happened in. The window and the CLI word it (messages::errorText).
class StoreError : public std::runtime_error {
public:
    enum class Kind {
        Failure,      // details: one text, in the store's own terms (SQLite's or the server's message)
        ReadOnlyFile, // details: the file's name, SQLite's message
        DamagedFile,  // details: the file's name, what is damaged
        Import,       // an import failed (its source, the reader, its files); details: one text
        NotANumber,   // the grid: a number column holds a text; details: the field's index
        RowDeleted,   // the grid: the edited row is no longer in the store
        RowChanged,   // the grid: another user changed the edited row meanwhile
        DirectoryFileMissing, // db.dat is not there
        HistoryFileMissing,   // history.dat is not there
        ServerUnavailable,    // cause: why the server's directory cannot be used
        FileMissing,          // details: the file
        NotADirectoryFile,    // details: the file (it has no table tab)
        PendingLog,           // details: the file, its log (the folder may not be written, the log holds changes)
        ServerUnreachable,    // details: the server, libpq's message
        ServerLost,           // details: the server, libpq's message
        ServerWithoutDirectory, // details: the server (it lacks the directory's tables)
        NotAnInteger,         // details: the text
        NoSuchColumn,         // details: the column
    };

    explicit StoreError(const QString &text) : StoreError(Kind::Failure, {text}) {}
    StoreError(Kind kind, const QStringList &details, const QString &context = {})
        : std::runtime_error(describe(kind, details, context).toStdString()), m_kind(kind), m_details(details),
          m_context(context), m_text(describe(kind, details, context))
    {
    }

    // An error of this kind that another one led to.
    static StoreError because(Kind kind, const StoreError &cause)
    {
        StoreError error(kind, {cause.text()});
        error.m_cause = std::make_shared<const StoreError>(cause);
        return error;
    }

    Kind kind() const { return m_kind; }
    const StoreError *cause() const { return m_cause.get(); }
    const QStringList &details() const { return m_details; }
    // Where it happened, put before the worded error ("history.dat: "); often empty.
    const QString &context() const { return m_context; }
    // The same error after a further context.
    StoreError withContext(const QString &outer) const
    {
        StoreError error(m_kind, m_details, outer + m_context);
        error.m_cause = m_cause;
        return error;
    }
    // The context and details as they are, for logs and what(): for a Failure, what the user is shown.
    const QString &text() const { return m_text; }

private:
    static QString describe(Kind kind, const QStringList &details, const QString &context)
    {
        return context + (kind == Kind::Failure || kind == Kind::Import ? details.value(0) : details.join(u"; "));
    }

    Kind m_kind;
    QStringList m_details;
    QString m_context;
    QString m_text;
    std::shared_ptr<const StoreError> m_cause;
};

} // namespace store
