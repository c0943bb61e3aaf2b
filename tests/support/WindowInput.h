#pragma once

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QWidget>

#include "shell/Form1.h"

// Input as the window system delivers it to the main window: keys to the
// focused widget (or the window), presses and the wheel to the widget under the
// pointer, at a point of the window as it is on screen.

inline QWidget* MainWindowWidget() { return MainForm().window.qwidget(); }

inline void PressKey(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
                     bool release = true) {
    QWidget* window = MainWindowWidget();
    QWidget* focused = window->focusWidget() ? window->focusWidget() : window;
    const QString text = key >= Qt::Key_Space && key <= Qt::Key_AsciiTilde
                             ? QString(QChar(key)).toLower()
                             : QString();
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(focused, &press);
    if (!release) return;
    QKeyEvent up(QEvent::KeyRelease, key, modifiers, text);
    QApplication::sendEvent(window->focusWidget() ? window->focusWidget() : window, &up);
}

inline void ReleaseKey(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget* window = MainWindowWidget();
    QKeyEvent up(QEvent::KeyRelease, key, modifiers);
    QApplication::sendEvent(window->focusWidget() ? window->focusWidget() : window, &up);
}

inline QWidget* WidgetAt(QPoint at) {
    QWidget* window = MainWindowWidget();
    QWidget* target = window->childAt(at);
    return target ? target : window;
}

inline void ClickAt(QPoint at, Qt::MouseButton button = Qt::LeftButton) {
    QWidget* window = MainWindowWidget();
    QWidget* target = WidgetAt(at);
    const QPointF local = target->mapFrom(window, QPointF(at));
    const QPointF global = window->mapToGlobal(QPointF(at));
    QMouseEvent press(QEvent::MouseButtonPress, local, QPointF(at), global, button, button,
                      Qt::NoModifier);
    QApplication::sendEvent(target, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, local, QPointF(at), global, button,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(target, &release);
}

inline void WheelAt(QPoint at, int delta) {
    QWidget* window = MainWindowWidget();
    // The window system's wheel events go up to the parents until one takes
    // them; Qt does that only for the window system's own.
    for (QWidget* target = WidgetAt(at); target; target = target->parentWidget()) {
        QWheelEvent event(target->mapFrom(window, QPointF(at)), window->mapToGlobal(QPointF(at)),
                          QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        event.setAccepted(false);
        QApplication::sendEvent(target, &event);
        if (event.isAccepted() || target == window) break;
    }
}

// The centre of a widget of the main window as drawn at the window's scale.
inline QPoint DrawnCentre(const Widget& widget) {
    const Window& window = MainForm().window;
    const QPointF centre(widget.left() + widget.width() / 2.0,
                         widget.top() + widget.height() / 2.0);
    return (QPointF(window.drawnOrigin()) + centre * window.drawnScale()).toPoint();
}
