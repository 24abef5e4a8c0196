#pragma once

#include <QString>

#include <optional>

struct pg_conn;

namespace store {

class QueryChannel;

// The record of every change to tab on a server: tab_changes, written by a trigger whose function
// runs with its owner's rights (SECURITY DEFINER), so an operator needs no right on the record to
// have their changes written and cannot write or alter a line themselves. The directory's roles
// (serverroles.h) and the owner may read it, no other login; only its owner may change or prune it.
inline constexpr const char *kChangeTable = "tab_changes";

// Within the caller's transaction, makes what of the record is missing (the table, the trigger's
// function, the trigger on tab) and sets its rights afresh: readerRole (quoted, as a statement names
// it) may read it, PUBLIC nothing; what is there already is kept with its lines. The login must own
// tab. A server made before the record gets it this way, and one whose record every login could
// read is closed. Throws StoreError.
void createChangeRecord(pg_conn *conn, const QString &name, const QString &readerRole);

// Within the caller's transaction: one line saying a whole directory was copied into tab (with the
// number of its entries), for a copy that fills tab before the trigger is made. Throws StoreError.
void recordCopy(pg_conn *conn, const QString &name);

// Which lines of the record to list; an empty field does not narrow the list.
struct ChangeFilter {
    std::optional<qint64> entry;
    QString since; // a time the server reads ("2026-12-08 14:00", an ISO date)
    QString login;
};

// The listing of the record, newest first, as a statement in the program's dialect for the channel.
QString changeListing(const ChangeFilter &filter);

// Whether the channel's store holds the record (a server made before it does not).
bool hasChangeRecord(QueryChannel &channel);

// What pruning did: the lines dropped, or the refusal of a login that does not own the record,
// which names the owner.
struct ChangePruning {
    qint64 dropped = 0;
    QString refusedOwner;
};

// Drops the lines older than before (a time the server reads). Throws StoreError.
ChangePruning pruneChanges(QueryChannel &channel, const QString &before);

} // namespace store
