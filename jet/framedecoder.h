#pragma once

#include "jet/framing.h"

#include <QByteArray>
#include <QVariantList>
#include <optional>

namespace jet {

struct Frame {
    framing::FrameKind kind;
    QVariantList cells; // null QVariant, qint64, double, QString or QByteArray
};

// Cuts the reader's byte stream into frames as the bytes arrive, in any pieces.
class FrameDecoder {
public:
    explicit FrameDecoder(qint64 maxFrameBytes) : m_maxFrameBytes(maxFrameBytes) { }

    void feed(const QByteArray &bytes);
    // The next complete frame, if one has arrived. Throws jet::ImportError on bytes that are no frame.
    std::optional<Frame> next();
    // Bytes of an unfinished frame are waiting.
    bool hasPartialFrame() const { return m_pos < m_buffer.size(); }

private:
    QByteArray m_buffer;
    qsizetype m_pos = 0;
    qint64 m_maxFrameBytes;
};

} // namespace jet
