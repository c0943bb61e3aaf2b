#pragma once

#include <QString>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>

#include "platform/widgets/Widget.h"

class QPoint;
class QRect;
class QSize;

// A fixed-size top-level window. Its outer size is given in twips, the way the
// game states it; the frame allowance of a single-border window with a caption
// (6 x 25 px at the reference density) is taken off to give the inside.
class Window : public Widget {
  public:
    explicit Window(const QString& objectName);
    ~Window() override;

    void setTitle(const QString& title);
    QString title() const;

    void setOuterWidthTwips(int twips);
    void setOuterHeightTwips(int twips);
    // The inside (client area) in pixels.
    void setClientSize(int width, int height);

    void useGameIcon();

    // Shows the window centred on the screen (see CentredOrTopLeft) and lets the window system put
    // it up and paint it before returning, so that whatever start-up does next (opening the sound
    // device) does not hold back the first picture. Only paints and window-system events run
    // meanwhile, no input and no timers of the game.
    void showCentred();
    bool isShown() const;

    // Focus order of the widgets that take the keyboard focus.
    void setFocusOrder(std::initializer_list<const Widget*> order);

    // Every close request (close box, keyboard, window manager) comes here first;
    // setting `cancel` to non-zero keeps the window open.
    void onCloseRequest(std::function<void(int16_t& cancel)> handler);

    // Return, Enter, Space and Page Down that no button takes, and the mouse
    // wheel turned down, anywhere in the window.
    void onReadingKey(std::function<void()> handler);
    // Takes the keyboard focus from every button; keys then reach the window.
    void focusNothing();

    // Raises a close request as the window manager would (tests, shortcuts).
    bool requestClose();

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// Where a window of `size` opens on a screen whose free area is `area`: centred,
// or at the area's top-left corner when it does not fit.
QPoint CentredOrTopLeft(const QRect& area, const QSize& size);
