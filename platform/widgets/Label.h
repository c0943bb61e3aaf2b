#pragma once

#include <QString>

#include <functional>

#include "platform/widgets/Widget.h"

class Window;

// A text label. Its text may hold carriage returns, at which it breaks lines;
// a line longer than the width wraps, and text below the bottom edge is cut off.
// Assistive technology reads it as static text named by its rows.
class Label : public Widget {
  public:
    Label(Window& parent, const QString& objectName);

    void setText(const QString& text);
    QString text() const { return text_; }

    // A press of the left mouse button on the label.
    void onClick(std::function<void()> handler);

  private:
    QString text_;
};
