#pragma once

#include "messages/errortext.h"
#include "store/connection.h"
#include "store/storeerror.h"
#include "store/querychannel.h"
#include "tests/server/testdirectory.h"

#include <gtest/gtest.h>

#include <functional>

// A channel on a new directory; tab starts empty, the reference tables hold the sample data.
template <typename Base>
class ChannelFixture : public Base {
protected:
    explicit ChannelFixture(StoreKind kind)
        : directory(kind)
    {
        directory.configure(connection);
    }

    // Adds a directory entry the way the grid does (native statement), returning its id.
    qint64 addEntry(const QString &fam, const QString &im = QStringLiteral("Иван"),
                    const QString &tele = QStringLiteral("4951234567"), qint64 dom = 1, qint64 kv = 1)
    {
        return channel
            .write(QStringLiteral("insert into tab(fam, im, ot, tele, ul, dom, domd, kv) values(?, ?, ?, ?, ?, ?, ?, ?)"),
                   {fam, im, QStringLiteral("Иванович"), tele, QStringLiteral("Ленина"), dom, QString(), kv})
            .lastId;
    }

    // The words of the StoreError that the action raises; empty when it raises none.
    static QString failure(const std::function<void()> &action)
    {
        try {
            action();
        } catch (const store::StoreError &e) {
            const QString text = messages::errorText(e);
            return text.isEmpty() ? QStringLiteral("(empty error text)") : text;
        }
        return {};
    }

    qint64 rowsOf(const QString &table)
    {
        channel.run(QStringLiteral("select count(*) as m from ") + table);
        return channel.integer(QStringLiteral("m"));
    }

    TestDirectory directory;
    store::Connection connection;
    store::QueryChannel channel{connection};
};

// What only SQLite's file shows: a channel on a new history.dat.
class ChannelTest : public ChannelFixture<::testing::Test> {
protected:
    ChannelTest()
        : ChannelFixture(StoreKind::File)
    {
    }
    struct Scratch {
        const TestDirectory &directory;
        QString path() const { return directory.historyPath(); }
        QString folder() const { return directory.folder(); }
    } scratch{directory};
};

// The same meaning on both stores: a channel on a history.dat, and on a server database.
class StoreChannelTest : public ChannelFixture<::testing::TestWithParam<StoreKind>> {
protected:
    StoreChannelTest()
        : ChannelFixture(GetParam())
    {
    }
};
