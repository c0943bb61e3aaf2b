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

// A key that reached the window: no button took it.
struct KeyInput {
    int key = 0;  // Qt::Key
    bool press = true;
    bool autoRepeat = false;
    bool ctrl = false;
    bool alt = false;
    bool shift = false;
};

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
    // The mouse wheel turned up anywhere in the window.
    void onWheelUp(std::function<void()> handler);
    // Takes the keyboard focus from every button; keys then reach the window.
    void focusNothing();

    // Raises a close request as the window manager would (tests, shortcuts).
    bool requestClose();

    // Keys no button took, before the window's own use of them (reading keys,
    // arrows); the handler returns true when it took the key.
    void onKey(std::function<bool(const KeyInput&)> handler);

    // Scaling. The widgets keep their places and sizes in pixels of the inside
    // at 1x whatever the scale; only what reaches the screen is scaled: the
    // whole inside by one factor, aspect kept, centred, the rest black. The
    // window can be resized and maximised (which goes to fullscreen), never made
    // smaller than the inside at 1x.
    //
    // The inside at 1x, in pixels, whatever the window's size on screen.
    int insideWidth() const;
    int insideHeight() const;
    // The size of the window when it is not fullscreen, as a factor of the
    // inside; the window is centred on the screen again.
    void setWindowedScale(double factor);
    // The factor the inside is drawn at now.
    double drawnScale() const;
    // Where the inside's top left is drawn, in the window's pixels.
    QPoint drawnOrigin() const;
    // Whether a windowed scale fits the screen's free area, frame included.
    bool scaleFits(double factor) const;
    void setFullScreen(bool on);
    bool isFullScreen() const;

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// Where a window of `size` opens on a screen whose free area is `area`: centred,
// or at the area's top-left corner when it does not fit.
QPoint CentredOrTopLeft(const QRect& area, const QSize& size);
