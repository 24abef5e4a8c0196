#pragma once

#include <QObject>

#include <functional>

class QWidget;

namespace bench {

// Counts the paint events a widget receives, so that a benchmark can run the event loop until
// what it changed is on screen, with no timer involved.
class PaintWaiter : public QObject {
public:
    explicit PaintWaiter(QWidget *widget);

    // Processes events until `ready` holds and the widget has been painted after that.
    // False when that never happens (the event loop runs dry too often).
    bool waitUntilPainted(const std::function<bool()> &ready = {});
    // Every paint since the waiter was made, awaited or not.
    int totalPaints() const { return m_total; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    int m_paints = 0;
    int m_total = 0;
};

} // namespace bench
