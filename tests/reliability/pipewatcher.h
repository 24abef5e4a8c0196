#pragma once

#include <QString>

#include <atomic>
#include <thread>

// Watches a named pipe while it lives. Whoever opens the pipe for reading would wait for a writer
// for ever; the watcher plays that writer for a moment, so the reader gets an empty read and goes
// on, and remembers that it had to. A program that does not hang on the pipe never needs it.
class PipeWatcher {
public:
    explicit PipeWatcher(const QString &path);
    ~PipeWatcher();
    PipeWatcher(const PipeWatcher &) = delete;
    PipeWatcher &operator=(const PipeWatcher &) = delete;

    bool releasedAReader() const { return m_released; }

private:
    std::string m_path;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_released{false};
    std::thread m_thread;
};

// Makes a named pipe at the path; throws when it cannot.
void makePipe(const QString &path);
