#include "bench/startupprobe/firstframeprobe.h"

#include <QAbstractItemModel>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QFile>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QTableView>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <vector>
#include <unistd.h>

namespace bench {

namespace {

// Passes of the event loop that let a window settle.
constexpr int kSettlePasses = 20;
constexpr int kPassesAllowed = 10'000;
constexpr std::size_t kClicks = 9;

long residentKilobytes()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return -1;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toLong() * (sysconf(_SC_PAGESIZE) / 1024) : -1;
}

void settle()
{
    for (int i = 0; i < kSettlePasses; ++i)
        QCoreApplication::processEvents();
}

void report(const char *line)
{
    std::fputs(line, stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

// Skips the program's own shut-down: only the time to the first frame is wanted.
[[noreturn]] void finish()
{
    std::fflush(stdout);
    _exit(0);
}

} // namespace

FirstFrameProbe::FirstFrameProbe(QObject *parent)
    : QObject(parent)
{
    parent->installEventFilter(this);
}

bool FirstFrameProbe::eventFilter(QObject *watched, QEvent *event)
{
    if (!m_seen && event->type() == QEvent::Paint && watched->isWidgetType()) {
        if (auto *window = qobject_cast<QMainWindow *>(static_cast<QWidget *>(watched)->window())) {
            m_seen = true;
            // After this paint has reached the backing store.
            QTimer::singleShot(0, this, [this, window] { firstFrame(window); });
        }
    }
    return false;
}

void FirstFrameProbe::firstFrame(QMainWindow *window)
{
    if (qgetenv("ZELVIK_PROBE") == "memory")
        measureMemory(window);
    report("frame");
    finish();
}

void FirstFrameProbe::measureMemory(QMainWindow *window)
{
    settle();
    std::printf("rss_idle_kb=%ld\n", residentKilobytes());

    auto *surname = window->findChild<QLineEdit *>(QStringLiteral("surnameField"));
    auto *find = window->findChild<QPushButton *>(QStringLiteral("searchButton"));
    auto *grid = window->findChild<QTableView *>(QStringLiteral("resultGrid"));
    if (!surname || !find || !grid) {
        report("error=the window lacks its surname field, search button or result grid");
        finish();
    }
    surname->setText(QString::fromLocal8Bit(qgetenv("ZELVIK_PROBE_SURNAME")));
    QElapsedTimer held;
    held.start();
    find->click();
    std::vector<double> clicks{double(held.nsecsElapsed()) / 1e6};
    std::printf("click_first_ms=%.3f\n", clicks.front());
    for (int pass = 0; pass < kPassesAllowed && grid->model()->rowCount() == 0; ++pass)
        QCoreApplication::processEvents();
    std::printf("shown_ms=%.3f\n", double(held.nsecsElapsed()) / 1e6);
    settle();
    std::printf("rss_shown_kb=%ld\n", residentKilobytes());
    std::printf("rows_in_grid=%d\n", grid->model()->rowCount());

    // One click is one sample of a machine whose speed wanders: the user's clicks that follow,
    // each a whole search again, give the median and the worst.
    while (clicks.size() < kClicks) {
        held.restart();
        find->click();
        clicks.push_back(double(held.nsecsElapsed()) / 1e6);
        settle();
    }
    std::sort(clicks.begin(), clicks.end());
    std::printf("clicks=%zu\n", clicks.size());
    std::printf("click_ms=%.3f\n", clicks[clicks.size() / 2]);
    std::printf("click_max_ms=%.3f\n", clicks.back());
}

} // namespace bench
