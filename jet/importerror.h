#pragma once

#include "store/storeerror.h"

#include <QString>
#include <QStringList>
#include <exception>
#include <memory>
#include <string>

namespace jet {

// A failure of a Jet import: the source cannot be read, the reader failed or overran its limits, a
// file cannot be placed, or the new store could not be written (a store error is then its cause).
// Like store::StoreError it holds no words, only a kind and its details (data: a file's name, a
// number, the reader's own first line of complaint); messages::errorText words it in Russian.
class ImportError : public std::exception {
public:
    enum class Kind {
        SourceMissing,       // the Jet file is not there
        SourceNotReadable,   // the Jet file may not be read
        NotAJetFile,         // details: the file (it does not start as a Jet file does)
        TargetExists,        // details: the new store's file, which is not replaced
        OriginalNameTaken,   // details: the name the original was to be kept under, which another file has
        OriginalNotKept,     // details: that name, under which no copy of the original could be made
        StagingNotCreated,   // details: the folder, the system's reason no new file can be made there
        TargetNotReplaced,   // details: the file, the system's reason
        TargetAppeared,      // details: the file, which appeared meanwhile and is left alone
        TargetNotRenamed,    // details: the file, the system's reason
        StoreNotWritten,     // cause: the store's failure to write the new store
        ReaderNotStarted,    // details: the reader program, the system's reason
        ReaderNotBuilt,      // this build has no reader (libmdb was not at hand where it was built)
        ReaderFlooded,       // details: the reader's first line on stderr (may be empty)
        ReaderOverran,       // details: the bytes it was allowed to send
        ReaderStalled,       // details: the seconds it went without progress
        ReaderCutShort,      // the reader ended in the middle of a frame
        ReaderCrashed,       // details: the reader's first line on stderr (may be empty)
        ReaderFailed,        // details: its exit code, its first line on stderr (may be empty)
        UnknownFrame,        // the reader sent a frame of no known kind
        MalformedCell,       // the reader sent a cell of no known kind, or one running past its frame
        ValueTooLarge,       // details: the largest frame allowed, in bytes
        FrameOutOfOrder,     // details: the frame's kind, as its letter in the stream (framing.h)
        OtherFormat,         // the reader speaks another version of the stream
        TablesMissing,       // the reader ended before it sent every table
        SourceNotOpened,     // the reader cannot open the file: no Jet file, or unreadable
        CatalogUnreadable,   // the list of tables cannot be read
        TableUnreadable,     // details: the table, whose definition cannot be read
        RowUnreadable,       // details: the table, the row (from 1)
        ValueUnreadable,     // details: the table, the column, the row (from 1)
        ReaderReported,      // details: the reason's number, its detail (a reason this importer does not know)
    };
    // The number of kinds; the last one above is ReaderReported.
    static constexpr int kindCount = int(Kind::ReaderReported) + 1;

    explicit ImportError(Kind kind, QStringList details = {}) : m_kind(kind), m_details(std::move(details))
    {
        describe();
    }

    // The new store could not be written.
    static ImportError storeNotWritten(const store::StoreError &cause)
    {
        ImportError error(Kind::StoreNotWritten);
        error.m_cause = std::make_shared<const store::StoreError>(cause);
        error.describe();
        return error;
    }

    Kind kind() const { return m_kind; }
    const QStringList &details() const { return m_details; }
    const store::StoreError *cause() const { return m_cause.get(); }
    // The Jet file that could not be read, when the failure is in reading it; else empty.
    const QString &source() const { return m_source; }
    // The same error, having happened in reading the Jet file source.
    ImportError reading(const QString &source) const
    {
        ImportError error = *this;
        error.m_source = source;
        error.describe();
        return error;
    }

    // For logs and diagnostics, never shown as the user's words.
    const char *what() const noexcept override { return m_what.c_str(); }

private:
    void describe()
    {
        m_what = store::failureLogLine("import error", int(m_kind), m_source.isEmpty() ? QStringList() : QStringList{m_source},
                                       m_details, m_cause.get());
    }

    Kind m_kind;
    QStringList m_details;
    QString m_source;
    std::shared_ptr<const store::StoreError> m_cause;
    std::string m_what;
};

} // namespace jet
