#include "jet/reader/framewriter.h"

using namespace jet::framing;

void FrameWriter::begin(FrameKind kind)
{
    m_kind = kind;
    m_payload.clear();
}

void FrameWriter::null()
{
    m_payload.push_back(char(CellTag::Null));
}

void FrameWriter::integer(std::int64_t value)
{
    m_payload.push_back(char(CellTag::Integer));
    appendU64(m_payload, static_cast<std::uint64_t>(value));
}

void FrameWriter::real(double value)
{
    m_payload.push_back(char(CellTag::Real));
    appendU64(m_payload, realBits(value));
}

void FrameWriter::text(std::string_view utf8)
{
    bytes(CellTag::Text, utf8);
}

void FrameWriter::blob(std::string_view data)
{
    bytes(CellTag::Blob, data);
}

void FrameWriter::bytes(CellTag tag, std::string_view data)
{
    m_payload.push_back(char(tag));
    appendU32(m_payload, static_cast<std::uint32_t>(data.size()));
    m_payload.append(data);
}

bool FrameWriter::end()
{
    std::string header(1, char(m_kind));
    appendU32(header, static_cast<std::uint32_t>(m_payload.size()));
    return std::fwrite(header.data(), 1, header.size(), m_out) == header.size()
        && std::fwrite(m_payload.data(), 1, m_payload.size(), m_out) == m_payload.size();
}

bool FrameWriter::flush()
{
    return std::fflush(m_out) == 0;
}
