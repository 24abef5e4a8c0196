#include "messages/importtext.h"
#include "jet/importerror.h"
#include "tests/jet/recordingsink.h"
#include "jet/rowstream.h"

#include <gtest/gtest.h>

using jet::Frame;
using jet::RowStream;
using jet::framing::ColumnKind;
using jet::framing::FrameKind;

namespace {

Frame hello()
{
    return {FrameKind::Hello,
            {QString::fromLatin1(jet::framing::kFormat.data(), qsizetype(jet::framing::kFormat.size())),
             qint64(jet::framing::kVersion)}};
}

Frame plan(qint64 tables, qint64 rows)
{
    return {FrameKind::Plan, {tables, rows}};
}

// A table "T" with an autonumber key "id" and a text column "name".
Frame table(qint64 rows = 2)
{
    return {FrameKind::Table,
            {QStringLiteral("T"), rows, qint64(2), QStringLiteral("id"), qint64(ColumnKind::Integer),
             qint64(jet::framing::kAutoNumber | jet::framing::kPrimaryKey), QStringLiteral("name"),
             qint64(ColumnKind::Text), qint64(0)}};
}

Frame row(qint64 id, const QVariant &name)
{
    return {FrameKind::Row, {id, name}};
}

Frame tableEnd(qint64 rows)
{
    return {FrameKind::TableEnd, {rows}};
}

Frame end(qint64 tables)
{
    return {FrameKind::End, {tables}};
}

void feed(RowStream &stream, const std::vector<Frame> &frames)
{
    for (const Frame &frame : frames)
        stream.take(frame);
}

TEST(RowStream, WholeStreamReachesTheSink)
{
    RecordingSink sink;
    RowStream stream(sink);
    feed(stream,
         {hello(), plan(1, 2), table(), row(1, QStringLiteral("Мир")), row(7, QVariant()), tableEnd(2), end(1)});
    EXPECT_NO_THROW(stream.finish());
    EXPECT_EQ(sink.calls, QStringList({"begin T", "row", "row", "end"}));
    ASSERT_EQ(sink.tables.size(), 1);
    const jet::SourceTable &t = sink.tables[0];
    ASSERT_EQ(t.columns.size(), 2);
    EXPECT_EQ(t.columns[0].name, QStringLiteral("id"));
    EXPECT_TRUE(t.columns[0].autoNumber);
    EXPECT_TRUE(t.columns[0].primaryKey);
    EXPECT_EQ(t.columns[1].kind, ColumnKind::Text);
    EXPECT_FALSE(t.columns[1].autoNumber);
    EXPECT_EQ(sink.rows[1][0].toLongLong(), 7);
    EXPECT_TRUE(sink.rows[1][1].isNull());
}

TEST(RowStream, StreamWithoutEndIsIncomplete)
{
    RecordingSink sink;
    RowStream stream(sink);
    feed(stream, {hello(), plan(1, 2), table(), row(1, QStringLiteral("a")), tableEnd(1)});
    EXPECT_THROW(stream.finish(), jet::ImportError);
}

TEST(RowStream, RowCountMismatchIsRefused)
{
    RecordingSink sink;
    RowStream stream(sink);
    feed(stream, {hello(), plan(1, 2), table(), row(1, QStringLiteral("a"))});
    EXPECT_THROW(stream.take(tableEnd(2)), jet::ImportError);
}

TEST(RowStream, FewerTablesThanPlannedIsRefused)
{
    RecordingSink sink;
    RowStream stream(sink);
    feed(stream, {hello(), plan(2, 0), table(0), tableEnd(0)});
    EXPECT_THROW(stream.take(end(1)), jet::ImportError);
}

TEST(RowStream, RowWithWrongWidthIsRefused)
{
    RecordingSink sink;
    RowStream stream(sink);
    feed(stream, {hello(), plan(1, 1), table()});
    EXPECT_THROW(stream.take({FrameKind::Row, {qint64(1)}}), jet::ImportError);
}

TEST(RowStream, FramesOutOfOrderAreRefused)
{
    RecordingSink sink;
    RowStream stream(sink);
    EXPECT_THROW(stream.take(plan(0, 0)), jet::ImportError); // before the greeting
    RowStream other(sink);
    feed(other, {hello(), plan(1, 1)});
    EXPECT_THROW(other.take(row(1, QStringLiteral("a"))), jet::ImportError); // outside a table
}

TEST(RowStream, OtherFormatIsRefused)
{
    RecordingSink sink;
    RowStream stream(sink);
    EXPECT_THROW(stream.take({FrameKind::Hello, {QStringLiteral("something-else"), qint64(1)}}), jet::ImportError);
}

TEST(RowStream, ReportedFailureNamesTheTable)
{
    RecordingSink sink;
    RowStream stream(sink);
    feed(stream, {hello()});
    try {
        stream.take({FrameKind::Failure, {qint64(jet::framing::FailureReason::Table), QStringLiteral("tab")}});
        FAIL() << "no error";
    } catch (const jet::ImportError &error) {
        EXPECT_TRUE(messages::errorText(error).contains(QStringLiteral("tab"))) << error.what();
        EXPECT_TRUE(messages::errorText(error).contains(QStringLiteral("повреждён"))) << error.what();
    }
}

TEST(RowStream, ReportedUnreadableValueNamesTableColumnAndRow)
{
    RecordingSink sink;
    const auto failure = [&sink](const QString &column) -> jet::ImportError {
        RowStream stream(sink);
        feed(stream, {hello()});
        try {
            stream.take({FrameKind::Failure,
                         {qint64(jet::framing::FailureReason::Value), QStringLiteral("tab"), column, qint64(7)}});
        } catch (const jet::ImportError &error) {
            return error;
        }
        ADD_FAILURE() << "no error";
        return jet::ImportError(jet::ImportError::Kind::TablesMissing);
    };
    const jet::ImportError value = failure(QStringLiteral("fam"));
    EXPECT_EQ(value.kind(), jet::ImportError::Kind::ValueUnreadable) << value.what();
    EXPECT_EQ(messages::errorText(value), QStringLiteral("значение столбца fam в строке 7 таблицы tab не читается (файл повреждён)"));
    const jet::ImportError row = failure(QString());
    EXPECT_EQ(row.kind(), jet::ImportError::Kind::RowUnreadable) << row.what();
    EXPECT_EQ(messages::errorText(row), QStringLiteral("строка 7 таблицы tab не читается (файл повреждён)"));
}

TEST(RowStream, ProgressCountsRowsAndEndsAtTheTotal)
{
    RecordingSink sink;
    QList<std::pair<qint64, qint64>> reports;
    RowStream stream(sink, [&](qint64 done, qint64 total) { reports.append({done, total}); });
    std::vector<Frame> frames{hello(), plan(1, 1200), table(1200)};
    for (qint64 i = 1; i <= 1200; ++i)
        frames.push_back(row(i, QStringLiteral("x")));
    frames.push_back(tableEnd(1200));
    frames.push_back(end(1));
    feed(stream, frames);
    ASSERT_GE(reports.size(), 3);
    EXPECT_EQ(reports.first(), std::make_pair(qint64(0), qint64(1200)));
    EXPECT_EQ(reports.last(), std::make_pair(qint64(1200), qint64(1200)));
    for (qsizetype i = 1; i < reports.size(); ++i)
        EXPECT_LE(reports[i - 1].first, reports[i].first);
}

TEST(RowStream, TotalGrowsWhenTheHeaderUndercounted)
{
    RecordingSink sink;
    qint64 lastTotal = 0;
    RowStream stream(sink, [&](qint64, qint64 total) { lastTotal = total; });
    feed(
        stream,
        {hello(), plan(1, 1), table(1), row(1, QStringLiteral("a")), row(2, QStringLiteral("b")), tableEnd(2), end(1)});
    EXPECT_EQ(lastTotal, 2);
    EXPECT_EQ(stream.rowsDone(), 2);
}

} // namespace
