#pragma once

#include <QObject>

class QMainWindow;

namespace bench {

// Loaded into a program at start-up (a Qt generic plugin, named by QT_QPA_GENERIC_PLUGINS) to
// watch its main window without changing the program. ZELVIK_PROBE says what to do once the
// first QMainWindow has been painted:
//   frame   print "frame" and end the process at once;
//   memory  print the resident memory at idle, then type ZELVIK_PROBE_SURNAME into the surname field, click
//           «Найти», wait until the result grid shows rows, and print the resident memory again, how long
//           the click held the window and how many rows the grid holds.
class FirstFrameProbe : public QObject {
public:
    explicit FirstFrameProbe(QObject *parent);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void firstFrame(QMainWindow *window);
    void measureMemory(QMainWindow *window);

    bool m_seen = false;
};

} // namespace bench
