#include "control/windowstate.h"

#include <QEvent>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QVersionNumber>
#include <QWidget>

bool PlatformHoldsLargestSize()
{
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"))
        && QLibraryInfo::version() < QVersionNumber(6, 8);
}

bool WindowStateFilter::eventFilter(QObject* watched, QEvent* event)
{
    // Only the window system's reports count: the program's own changes send
    // this event too, but not as spontaneous.
    if (event->type() == QEvent::WindowStateChange && event->spontaneous() && watched->isWidgetType()) {
        for (QWidget* widget : static_cast<QWidget*>(watched)->findChildren<QWidget*>())
            widget->update();
    }
    return false;
}
