#include "jet/framedecoder.h"

#include "jet/importerror.h"

using namespace jet::framing;

namespace jet {

namespace {

[[noreturn]] void malformed(ImportError::Kind kind)
{
    throw ImportError(kind);
}

bool isFrameKind(char c)
{
    switch (FrameKind(c)) {
    case FrameKind::Hello:
    case FrameKind::Plan:
    case FrameKind::Table:
    case FrameKind::Row:
    case FrameKind::TableEnd:
    case FrameKind::End:
    case FrameKind::Failure:
        return true;
    }
    return false;
}

QVariantList decodeCells(const char *p, const char *end)
{
    QVariantList cells;
    auto need = [&](qsizetype n) {
        if (end - p < n)
            malformed(ImportError::Kind::MalformedCell); // it runs past its frame
    };
    while (p < end) {
        const auto tag = CellTag(*p++);
        switch (tag) {
        case CellTag::Null:
            cells.append(QVariant());
            break;
        case CellTag::Integer:
            need(8);
            cells.append(QVariant(qint64(readU64(p))));
            p += 8;
            break;
        case CellTag::Real:
            need(8);
            cells.append(QVariant(realFromBits(readU64(p))));
            p += 8;
            break;
        case CellTag::Text:
        case CellTag::Blob: {
            need(4);
            const qsizetype length = readU32(p);
            p += 4;
            need(length);
            if (tag == CellTag::Text)
                cells.append(QVariant(QString::fromUtf8(p, length)));
            else
                cells.append(QVariant(QByteArray(p, length)));
            p += length;
            break;
        }
        default:
            malformed(ImportError::Kind::MalformedCell);
        }
    }
    return cells;
}

} // namespace

void FrameDecoder::feed(const QByteArray &bytes)
{
    // Drop what has been decoded once it is most of the buffer, so long streams stay cheap.
    if (m_pos > 0 && m_pos >= m_buffer.size() / 2) {
        m_buffer.remove(0, m_pos);
        m_pos = 0;
    }
    m_buffer.append(bytes);
}

std::optional<Frame> FrameDecoder::next()
{
    const qsizetype available = m_buffer.size() - m_pos;
    if (available < qsizetype(kFrameHeaderSize))
        return std::nullopt;
    const char *header = m_buffer.constData() + m_pos;
    if (!isFrameKind(header[0]))
        malformed(ImportError::Kind::UnknownFrame);
    const qint64 length = readU32(header + 1);
    if (length > m_maxFrameBytes)
        throw ImportError(ImportError::Kind::ValueTooLarge, {QString::number(m_maxFrameBytes)});
    if (available - qsizetype(kFrameHeaderSize) < length)
        return std::nullopt;
    const char *payload = header + kFrameHeaderSize;
    Frame frame{FrameKind(header[0]), decodeCells(payload, payload + length)};
    m_pos += qsizetype(kFrameHeaderSize) + qsizetype(length);
    return frame;
}

} // namespace jet
