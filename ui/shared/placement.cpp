#include "ui/shared/placement.h"

#include <algorithm>

#include <QScreen>
#include <QWidget>

namespace tobarin {

namespace {

void keepWithin(QWidget *window, const QRect &screen)
{
    // The frame the window system draws around the window: none before the
    // window is first shown on some systems, where it is learnt only then.
    const QSize frameSize = window->frameGeometry().size() - window->size();
    const QSize room = screen.size() - frameSize;
    if (window->width() > room.width() || window->height() > room.height()) {
        window->resize(window->size().boundedTo(room));
    }
    const QRect frame = window->frameGeometry();
    const int left = std::clamp(
        frame.left(), screen.left(), std::max(screen.left(), screen.right() + 1 - frame.width()));
    const int top = std::clamp(
        frame.top(), screen.top(), std::max(screen.top(), screen.bottom() + 1 - frame.height()));
    if (left != frame.left() || top != frame.top()) {
        window->move(left, top);
    }
}

}  // namespace

void placeBeside(QWidget *window, const QWidget *beside)
{
    window->adjustSize();
    const QRect screen = beside->screen()->availableGeometry();
    const QRect frame = beside->frameGeometry();
    const int width = window->frameGeometry().width();
    int left = frame.right() + 1;
    if (left + width > screen.right() + 1) {
        left = frame.left() - width;
    }
    window->move(left, frame.top());
    keepWithin(window, screen);
}

void keepOnScreen(QWidget *window)
{
    keepWithin(window, window->screen()->availableGeometry());
}

}  // namespace tobarin
