#pragma once

#include <QString>

#include "platform/widgets/Widget.h"

class Window;

// A text label. Its text may hold carriage returns, at which it breaks lines;
// a line longer than the width wraps, and text below the bottom edge is cut off.
class Label : public Widget {
  public:
    Label(Window& parent, const QString& objectName);

    void setText(const QString& text);
    QString text() const { return text_; }

  private:
    QString text_;
};
