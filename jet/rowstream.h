#pragma once

#include "jet/framedecoder.h"
#include "jet/neutralrows.h"

#include <functional>

namespace jet {

// Rows done, rows in all (the total can grow when a table holds more rows than its header said).
using ProgressFn = std::function<void(qint64 done, qint64 total)>;

// Turns the reader's frames into calls on a RowSink, checking that they arrive in order and whole:
// a stream is complete only with its End frame, with every table's rows counted.
class RowStream {
public:
    RowStream(RowSink &sink, ProgressFn progress = {});

    // Throws jet::ImportError for a frame out of place or a failure the reader reports; what the sink
    // throws passes through.
    void take(const Frame &frame);
    // Throws jet::ImportError unless the stream ended properly.
    void finish() const;

    qint64 rowsDone() const { return m_rowsDone; }
    qint64 rowsTotal() const { return m_rowsTotal; }

private:
    enum class State { Start, Greeted, Planned, InTable, Ended };

    void expect(bool ok, framing::FrameKind kind) const;
    void reportProgress(bool force);

    RowSink &m_sink;
    ProgressFn m_progress;
    State m_state = State::Start;
    qint64 m_tablesPlanned = 0;
    qint64 m_tablesDone = 0;
    qint64 m_rowsTotal = 0;
    qint64 m_rowsDone = 0;
    qint64 m_rowsInTable = 0;
    qsizetype m_columns = 0;
    qint64 m_lastReported = -1;
};

} // namespace jet
