#include "control/fixedsize.h"

#include <QEvent>
#include <QGuiApplication>
#include <QWidget>

namespace {

constexpr Qt::WindowStates kEnlarged = Qt::WindowMaximized | Qt::WindowFullScreen;

QWidget* FixedSizeWindow(QObject* object)
{
    if (!object->isWidgetType())
        return nullptr;
    auto* widget = static_cast<QWidget*>(object);
    return widget->isWindow() && widget->minimumSize() == widget->maximumSize() ? widget : nullptr;
}

// An X11 window manager restores the window when asked to; some (weston's for
// Xwayland) maximize a window by resizing it, and tell it nothing else. Hidden
// and shown there, the window would stay enlarged in Qt's view, which then
// reports no later change.
void Restore(QWidget& window)
{
    window.showNormal();
    QMetaObject::invokeMethod(&window, [&window] { window.resize(window.maximumSize()); }, Qt::QueuedConnection);
}

// A Wayland compositor that has configured a maximized window takes no other
// size at the next commit and ends the connection (weston does), nor sends a
// new configure before that commit. Hidden, the window has no surface left to
// commit; shown again, it gets a new one that starts in the normal state, at
// the window's own size. Qt reports the state right after acknowledging the
// configure, before anything is painted, so nothing is committed in between.
void ShowAnew(QWidget& window)
{
    window.hide();
    window.setWindowState(Qt::WindowNoState);
    QMetaObject::invokeMethod(&window, &QWidget::show, Qt::QueuedConnection);
}

} // namespace

bool FixedSizeGuard::eventFilter(QObject* watched, QEvent* event)
{
    // Only the window system's reports count: the program's own changes send
    // these events too, but not as spontaneous.
    const QEvent::Type type = event->type();
    if ((type != QEvent::WindowStateChange && type != QEvent::Resize) || !event->spontaneous())
        return false;
    QWidget* window = FixedSizeWindow(watched);
    if (window && ((window->windowState() & kEnlarged) || window->size() != window->maximumSize()))
        QGuiApplication::platformName() == QLatin1String("xcb") ? Restore(*window) : ShowAnew(*window);
    return false;
}
