#pragma once

#include <QString>

#include "platform/widgets/Widget.h"

class Window;

// A small word in a corner of another widget (that the window reads on by
// itself); clicks pass through it to what lies below.
class CornerMark : public Widget {
  public:
    CornerMark(Window& parent, const QString& objectName);

    // Shows `text` inside the bottom right corner of `host`; an empty text hides it.
    void show(const QString& text, const Widget& host);
    QString text() const;
};
