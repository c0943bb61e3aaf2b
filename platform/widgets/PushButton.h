#pragma once

#include <QString>

#include <functional>

#include "platform/widgets/Widget.h"

class Window;

// A push button that can show a caption, a picture, or both.
class PushButton : public Widget {
  public:
    PushButton(Window& parent, const QString& objectName);

    void setCaption(const QString& caption);
    QString caption() const;

    // Loads the picture from a file; returns false (and changes nothing) when the
    // file is missing or not a picture.
    bool setPicture(const QString& path);
    void clearPicture();
    bool hasPicture() const;

    void setStrikethrough(bool on);
    bool strikethrough() const;

    // The keyboard focus within the window (whether or not the window is active):
    // Space presses the focused button.
    void setFocused();
    bool hasFocus() const;
    // False while the button shows neither caption nor picture.
    bool takesKeys() const;

    void onClick(std::function<void()> handler);
    void click();
};
