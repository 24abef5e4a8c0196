#pragma once

#include "jet/framing.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

// Builds one frame at a time and writes it whole, so the importer never sees half a frame unless
// the reader dies mid-write.
class FrameWriter {
public:
    explicit FrameWriter(std::FILE *out) : m_out(out) { }

    void begin(jet::framing::FrameKind kind);
    void null();
    void integer(std::int64_t value);
    void real(double value);
    void text(std::string_view utf8);
    void blob(std::string_view bytes);
    // False when the importer is gone or the pipe failed.
    bool end();
    bool flush();

private:
    void bytes(jet::framing::CellTag tag, std::string_view data);

    std::FILE *m_out;
    jet::framing::FrameKind m_kind = jet::framing::FrameKind::End;
    std::string m_payload;
};
