#include "tests/jet/framecapture.h"
#include "jet/framedecoder.h"
#include "jet/importerror.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using jet::Frame;
using jet::FrameDecoder;
using jet::framing::FrameKind;

namespace {

std::vector<Frame> decodeAll(const QByteArray &bytes, qsizetype piece)
{
    FrameDecoder decoder(1 << 20);
    std::vector<Frame> frames;
    for (qsizetype at = 0; at < bytes.size(); at += piece) {
        decoder.feed(bytes.mid(at, piece));
        while (auto frame = decoder.next())
            frames.push_back(*frame);
    }
    EXPECT_FALSE(decoder.hasPartialFrame());
    return frames;
}

QByteArray sampleStream()
{
    FrameCapture capture;
    FrameWriter &w = capture.writer();
    w.begin(FrameKind::Row);
    w.null();
    w.integer(-2);
    w.integer(std::numeric_limits<std::int64_t>::max());
    w.real(0.1);
    w.real(-0.0);
    w.text("");
    w.text("Иванов\tё\n");
    w.blob(std::string("\0\xFF", 2));
    w.end();
    w.begin(FrameKind::End);
    w.integer(1);
    w.end();
    return capture.bytes();
}

TEST(Framing, EveryCellKindSurvivesTheTrip)
{
    const std::vector<Frame> frames = decodeAll(sampleStream(), 1 << 16);
    ASSERT_EQ(frames.size(), 2u);
    const QVariantList &cells = frames[0].cells;
    EXPECT_EQ(frames[0].kind, FrameKind::Row);
    ASSERT_EQ(cells.size(), 8);
    EXPECT_TRUE(cells[0].isNull());
    EXPECT_EQ(cells[1].toLongLong(), -2);
    EXPECT_EQ(cells[2].toLongLong(), std::numeric_limits<qint64>::max());
    EXPECT_EQ(cells[3].toDouble(), 0.1);
    EXPECT_TRUE(std::signbit(cells[4].toDouble()));
    EXPECT_EQ(cells[5].typeId(), QMetaType::QString);
    EXPECT_FALSE(cells[5].isNull()); // an empty text is not NULL
    EXPECT_EQ(cells[6].toString(), QStringLiteral("Иванов\tё\n"));
    EXPECT_EQ(cells[7].typeId(), QMetaType::QByteArray);
    EXPECT_EQ(cells[7].toByteArray(), QByteArray("\0\xFF", 2));
    EXPECT_EQ(frames[1].kind, FrameKind::End);
}

TEST(Framing, BytesMayArriveInAnyPieces)
{
    const QByteArray stream = sampleStream();
    const std::vector<Frame> whole = decodeAll(stream, stream.size());
    for (qsizetype piece : {1, 2, 3, 5, 7, 64}) {
        const std::vector<Frame> split = decodeAll(stream, piece);
        ASSERT_EQ(split.size(), whole.size()) << piece;
        EXPECT_EQ(split[0].cells, whole[0].cells) << piece;
    }
}

TEST(Framing, UnfinishedFrameWaits)
{
    const QByteArray stream = sampleStream();
    FrameDecoder decoder(1 << 20);
    decoder.feed(stream.left(10));
    EXPECT_FALSE(decoder.next());
    EXPECT_TRUE(decoder.hasPartialFrame());
}

TEST(Framing, UnknownFrameKindIsRefused)
{
    FrameDecoder decoder(1 << 20);
    decoder.feed(QByteArray("Q\0\0\0\0", 5));
    EXPECT_THROW(decoder.next(), jet::ImportError);
}

TEST(Framing, CellRunningPastItsFrameIsRefused)
{
    FrameDecoder decoder(1 << 20);
    // a row frame of 3 bytes holding a text cell that claims 100 bytes
    decoder.feed(QByteArray("R\x03\0\0\0t\x64\0", 8));
    EXPECT_THROW(decoder.next(), jet::ImportError);
}

TEST(Framing, FrameOverTheCapIsRefusedBeforeItArrives)
{
    FrameDecoder decoder(16);
    decoder.feed(QByteArray("R\x00\x01\0\0", 5)); // announces 256 bytes
    EXPECT_THROW(decoder.next(), jet::ImportError);
}

} // namespace
