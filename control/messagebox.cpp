#include "control/messagebox.h"

#include <QGuiApplication>
#include <QLibraryInfo>
#include <algorithm>

#include "control/program.h"

namespace {
// Room beside a box's title for the buttons of a title bar, such as the
// three that Qt's own title bar under Wayland draws on the right.
constexpr int kTitleBarButtons = 2 * 80;
}

bool HeldAtLargestSize()
{
    return QtHoldsLargestSize(QGuiApplication::platformName(), QLibraryInfo::version());
}

MessageBox::MessageBox(const QString& title, const QString& text, QWidget* parent)
    : QMessageBox(QMessageBox::NoIcon, title, text, QMessageBox::Ok, parent, Qt::Dialog | kFixedSizeFrame)
{
}

bool MessageBox::event(QEvent* event)
{
    const bool handled = QMessageBox::event(event);
    if (event->type() == QEvent::Show || event->type() == QEvent::LayoutRequest) {
        QFont titleFont = font();
        titleFont.setPixelSize(14);
        const int width = std::max(minimumWidth(), QFontMetrics(titleFont).horizontalAdvance(windowTitle()) + kTitleBarButtons);
        setMinimumWidth(width);
        setMaximumSize(HeldAtLargestSize() ? QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX) : QSize(width, minimumHeight()));
    }
    return handled;
}
