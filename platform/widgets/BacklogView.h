#pragma once

#include <QString>
#include <QStringList>

#include <functional>

#include "platform/widgets/Widget.h"

class Window;

// A read-only list of rows over part of the window, newest at the bottom, each
// row an item that assistive technology reads. It has no scroll bar: the wheel,
// the arrows, Page Up and Page Down scroll it; any click, Escape, the wheel
// turned down past its end or Page Down at its end close it. While it is open it
// holds the keyboard focus and takes every key and click.
class BacklogView : public Widget {
  public:
    BacklogView(Window& parent, const QString& objectName);

    // Shows the rows, scrolled to the newest, and takes the keyboard focus.
    void open(const QStringList& rows);
    void close();
    bool isOpen() const;
    QStringList rows() const;

    // Rows in the font of `other`.
    void useFontOf(const Widget& other);

    // After it closed, by the player or by close().
    void onClosed(std::function<void()> handler);
};
