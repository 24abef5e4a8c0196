#pragma once

#include "connection.h"
#include "querychannel.h"

#include <QList>
#include <QStringList>

// A second connection to a history.dat, to put entries into `tab` and read them back independently
// of the channel under test (as another process would).
class TabInspector {
public:
    struct Entry {
        QString fam, im, ot, tele, ul;
        int dom = 0;
        QString domd;
        int kv = 0;
    };

    explicit TabInspector(const QString &path);

    qint64 add(const Entry &entry);
    // Every row of tab in id order, as the eight grid fields in text.
    QList<QStringList> rows();
    QStringList row(qint64 id);
    void remove(qint64 id);

private:
    store::Connection m_connection;
    store::QueryChannel m_channel;
};
