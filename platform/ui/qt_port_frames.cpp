// The Qt port's window frames and opacity. Qt's screen coordinates run downward from the top of the
// primary screen; the port's run upward from its bottom, so every rectangle is mirrored about the
// primary screen's height on the way in and out.
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "ui/qt_port.h"
#include "ui/qt_port_internal.h"

namespace ui {
namespace {

int primaryBottom() {
    const QScreen* primary = QGuiApplication::primaryScreen();
    return primary == nullptr ? 0 : primary->geometry().y() + primary->geometry().height();
}

Rect portRect(const QRect& rect) {
    return {static_cast<double>(rect.x()),
            static_cast<double>(primaryBottom() - (rect.y() + rect.height())),
            static_cast<double>(rect.width()), static_cast<double>(rect.height())};
}

/// The width and height that the window system's frame adds around the window's contents.
QSize decoration(const QWidget* widget) {
    return widget->frameGeometry().size() - widget->geometry().size();
}

}  // namespace

Rect QtPort::windowFrame(std::string_view window) const {
    requireGuiThread("windowFrame");
    const QWidget* widget = windowWidget(window);
    return widget == nullptr ? Rect{} : portRect(widget->frameGeometry());
}

Rect QtPort::screenVisibleFrame(std::string_view window) const {
    requireGuiThread("screenVisibleFrame");
    const QWidget* widget = windowWidget(window);
    const QScreen* screen = widget == nullptr ? nullptr : widget->screen();
    return screen == nullptr ? Rect{} : portRect(screen->availableGeometry());
}

bool QtPort::isResizable(std::string_view window) const {
    requireGuiThread("isResizable");
    const QWidget* widget = windowWidget(window);
    return widget != nullptr && widget->minimumSize() != widget->maximumSize();
}

Size QtPort::minimumSize(std::string_view window) const {
    requireGuiThread("minimumSize");
    const QWidget* widget = windowWidget(window);
    if (widget == nullptr) {
        return {};
    }
    const QSize smallest =
        widget->minimumSize().expandedTo(widget->minimumSizeHint()) + decoration(widget);
    return {static_cast<double>(smallest.width()), static_cast<double>(smallest.height())};
}

void QtPort::setWindowFrame(std::string_view window, Rect frame) {
    requireGuiThread("setWindowFrame");
    QWidget* widget = windowWidget(window);
    if (widget == nullptr) {
        return;
    }
    const int width = qRound(frame.width);
    const int height = qRound(frame.height);
    const QSize contents = QSize(width, height) - decoration(widget);
    widget->resize(contents);
    // move() places the frame's top-left corner.
    widget->move(qRound(frame.x), primaryBottom() - (qRound(frame.y) + height));
}

void QtPort::setAlphaValue(std::string_view window, double alpha) {
    requireGuiThread("setAlphaValue");
    if (QWidget* widget = windowWidget(window)) {
        widget->setWindowOpacity(alpha);
    }
}

}  // namespace ui
