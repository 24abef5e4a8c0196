#pragma once

#include "jet/reader/framewriter.h"

#include <QByteArray>

#include <cstdio>
#include <cstdlib>

// A FrameWriter whose frames land in memory, as the importer would receive them from the pipe.
class FrameCapture {
public:
    FrameCapture() : m_file(open_memstream(&m_data, &m_size)), m_writer(m_file) { }
    ~FrameCapture()
    {
        std::fclose(m_file);
        std::free(m_data);
    }
    FrameCapture(const FrameCapture &) = delete;
    FrameCapture &operator=(const FrameCapture &) = delete;

    FrameWriter &writer() { return m_writer; }
    QByteArray bytes()
    {
        std::fflush(m_file);
        return QByteArray(m_data, qsizetype(m_size));
    }

private:
    char *m_data = nullptr;
    std::size_t m_size = 0;
    std::FILE *m_file;
    FrameWriter m_writer;
};
