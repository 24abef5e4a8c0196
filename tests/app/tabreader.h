#pragma once

#include "store/connection.h"
#include "store/querychannel.h"

#include <QList>
#include <QStringList>

// A second connection to a history.dat, to put entries into `tab` and read them back independently
// of the channel under test (as another process would).
class TabReader {
public:
    // The eight fields in the order of store::EntryField.
    struct Entry {
        QString surname, givenName, patronymic, phone, street;
        int house = 0;
        QString fraction;
        int flat = 0;
    };

    explicit TabReader(const QString &path);

    qint64 add(const Entry &entry);
    // Entries "Фамилия1".."Фамилия<count>" with dom and kv equal to their number, in one statement.
    void addNumbered(int count);
    // A native SQLite statement, as another program would send it.
    void sql(const QString &statement);
    // Every row of tab in id order, as the eight grid fields in text.
    QList<QStringList> rows();
    QStringList row(qint64 id);
    void remove(qint64 id);

private:
    QList<QStringList> select(const QString &tail);

    store::Connection m_connection;
    store::QueryChannel m_channel;
};
