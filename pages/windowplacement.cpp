#include "pages/windowplacement.h"

#include <QEvent>
#include <QMargins>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <chrono>

namespace pages {

namespace {

const QString kWatchName = QStringLiteral("frameWatch");
constexpr std::chrono::milliseconds kFrameWait{3000};

QMargins frameMargins(const QWidget *window)
{
    const QRect frame = window->frameGeometry();
    const QRect client = window->geometry();
    return {client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
            frame.bottom() - client.bottom()};
}

void placeNow(QWidget *window, const QRect &area)
{
    if (!area.isValid())
        return;
    const QMargins margins = frameMargins(window);
    const QRect frame = frameWithin(window->size().grownBy(margins), window->minimumSize().grownBy(margins), area);
    const QSize client = frame.size().shrunkBy(margins);
    if (client != window->size())
        window->resize(client);
    window->move(frame.topLeft());
}

// Waits for the window manager's frame and places the window again once it has come.
class FrameWatch : public QObject {
public:
    FrameWatch(QWidget *window, std::function<QRect()> area)
        : QObject(window), m_window(window), m_area(std::move(area)), m_assumed(frameMargins(window))
    {
        setObjectName(kWatchName);
        window->installEventFilter(this);
        // Activation may come before the frame; without a window manager no frame comes at all.
        QTimer::singleShot(kFrameWait, this, [this] {
            if (m_window)
                m_window->removeEventFilter(this);
            deleteLater();
        });
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        const QEvent::Type type = event->type();
        if (watched == m_window && (type == QEvent::Move || type == QEvent::Resize || type == QEvent::Paint
                                    || type == QEvent::WindowActivate || type == QEvent::WindowStateChange)) {
            if (frameMargins(m_window) != m_assumed) {
                m_window->removeEventFilter(this);
                placeNow(m_window, m_area());
                deleteLater();
            } else if (type == QEvent::WindowStateChange) {
                // Maximised or minimised by the user: the place is the user's now.
                m_window->removeEventFilter(this);
                deleteLater();
            }
        }
        return false;
    }

private:
    QPointer<QWidget> m_window;
    std::function<QRect()> m_area;
    QMargins m_assumed;
};

} // namespace

QRect frameWithin(QSize frame, QSize minimumFrame, QRect area)
{
    const QSize size = frame.boundedTo(area.size()).expandedTo(minimumFrame);
    const int left = area.left() + (area.width() - size.width()) / 2;
    const int top = area.top() + (area.height() - size.height()) / 2;
    return {QPoint(std::max(left, area.left()), std::max(top, area.top())), size};
}

void placeWindow(QWidget *window, const std::function<QRect()> &area)
{
    placeNow(window, area());
    delete window->findChild<QObject *>(kWatchName, Qt::FindDirectChildrenOnly);
    new FrameWatch(window, area);
}

void placeOnScreen(QWidget *window)
{
    placeWindow(window, [window] {
        const QScreen *screen = window->screen();
        return screen ? screen->availableGeometry() : QRect();
    });
}

} // namespace pages
