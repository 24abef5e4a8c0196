#include "tests/reliability/pipewatcher.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <stdexcept>

PipeWatcher::PipeWatcher(const QString &path) : m_path(path.toStdString())
{
    m_thread = std::thread([this] {
        while (!m_stop) {
            // Without a reader this fails at once; with one waiting it succeeds.
            const int fd = ::open(m_path.c_str(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0) {
                m_released = true;
                ::close(fd);
            }
            std::this_thread::yield();
        }
    });
}

PipeWatcher::~PipeWatcher()
{
    m_stop = true;
    m_thread.join();
}

void makePipe(const QString &path)
{
    if (::mkfifo(path.toLocal8Bit().constData(), 0666) != 0)
        throw std::runtime_error("cannot make a named pipe at " + path.toStdString());
}
