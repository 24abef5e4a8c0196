#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>

#include <chrono>
#include <optional>
#include <utility>

// conf.cfg, the folder's configuration: the one place that reads and writes it. Nothing here is
// worded for the user: a failure is a kind and its details, and messages::errorText words it.
namespace config {

// Why conf.cfg could not be used.
struct ConfFileError {
    enum class Kind {
        Unreadable, // details: the file's name, the system's reason (it exists but cannot be opened or read)
        BadSeconds, // details: the key, its value (a wait that is no number of seconds from above 0 to a day)
    };
    Kind kind = Kind::Unreadable;
    QStringList details;
};

// How long a statement on the server may wait for its answer (and connecting, for the connection),
// and how long a lookup on the replica may, before the server answers it instead.
inline constexpr std::chrono::milliseconds kServerTimeout{15000};
inline constexpr std::chrono::milliseconds kReplicaTimeout{3000};

// What conf.cfg says. Its first line is the region's: "bd=" (byte for byte) followed by the region
// name; the line ends at LF, a CR anywhere in it is dropped, and its bytes are Windows-1251 unless
// they are valid UTF-8 holding something beyond ASCII (a 1251 Cyrillic name never is). Each later
// line "key=value" is a setting: the key is the bytes before the first "=", the value the rest as
// UTF-8 with CRs dropped and without white space at either end; the first line of a key counts.
struct ConfFile {
    QString region;
    // The later lines' settings in the order of the file, each key once.
    QList<std::pair<QByteArray, QString>> settings;
    // Set when the file exists but cannot be opened or read, or a setting the program knows holds a
    // value it cannot use; everything else is empty then.
    std::optional<ConfFileError> error;

    bool failed() const { return error.has_value(); }
    // A setting's value; empty when the file has no line for the key.
    QString value(QByteArrayView key) const;
    // Sets a key's value, after the settings there are when the key is new.
    void setValue(const QByteArray &key, const QString &value);

    // The settings the program knows, one line each.
    // The PostgreSQL server that holds the directory (a libpq connection string or postgresql://
    // URI); empty for history.dat.
    QString server() const { return value("server"); }
    // "pooler=transaction": the server is reached through a pooler in transaction mode (pgbouncer's
    // pool_mode=transaction), which keeps nothing of a session between transactions.
    bool transactionPooling() const { return value("pooler") == QLatin1String("transaction"); }
    // A streaming standby of that server (a libpq string, several hosts allowed) for the lookups;
    // empty for none.
    QString replica() const { return value("replica"); }
    // "server_timeout=SECONDS": how long a statement on the server (or connecting to it) may wait
    // before it is given up; kServerTimeout without the line.
    std::chrono::milliseconds serverTimeout() const;
    // "replica_timeout=SECONDS": how long a lookup (or connecting) on the replica may wait before the
    // server answers it instead; kReplicaTimeout without the line.
    std::chrono::milliseconds replicaTimeout() const;
};

// The settings of the bytes of a conf.cfg, by the rules above. A wait (server_timeout=,
// replica_timeout=) is a number of seconds above 0 and at most a day, decimals allowed ("2.5");
// anything else in its line is an error (BadSeconds).
ConfFile parseConfFile(QByteArrayView bytes);

// Reads the file. A missing file (or a directory, pipe, socket or device of that name) is no error:
// everything is simply empty then, as for an empty file.
ConfFile readConfFile(const QString &path = QStringLiteral("conf.cfg"));

// The bytes of a conf.cfg that says what conf does: the first line "bd=" and the region in
// Windows-1251, then one line "key=value" per setting, each ending in LF. Nothing when the region
// cannot be written as one line in Windows-1251 (a character outside the page, a CR or LF).
std::optional<QByteArray> confFileBytes(const ConfFile &conf);

} // namespace config
