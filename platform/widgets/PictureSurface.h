#pragma once

#include <QString>

#include <cstdint>
#include <functional>
#include <memory>

#include "platform/widgets/Widget.h"

class Window;

// A picture box. It keeps an image of what it shows (for a hidden surface, its
// off-screen image): a loaded picture, pixel copies and circles all go into that
// image, and a repaint by the window system only puts the image back on screen.
// Coordinates are pixels of the inside, (0,0) at the top left inside the border.
class PictureSurface : public Widget {
  public:
    struct Options {
        int borderPx = 2;         // a sunken frame around the inside
        bool autoSize = false;    // takes the size of a loaded picture (plus border)
        bool takesFocus = false;  // whether the keyboard focus can rest on it
    };
    PictureSurface(Window& parent, const QString& objectName, Options options);
    ~PictureSurface() override;

    // Loads a picture file (JPEG, BMP, GIF, PNG). On success the picture replaces
    // the surface's picture and its image; on failure nothing changes.
    bool loadPicture(const QString& path);
    // Loads a strip of animation frames that is copied from but never shown:
    // the file is decoded straight into the image, which is the only copy kept
    // (there is no picture to redraw), and the surface takes the image's size.
    // `height` > 0 makes the image that many rows high, the file cut off below
    // or continued with the background; 0 keeps the file's height. Returns the
    // file's own height, or -1 when it is no picture (an unreadable file leaves
    // the surface blank: the old strip is let go before the new one is made).
    int loadStrip(const QString& path, int height);
    // A blank picture of the given size, in a colour (the design picture).
    void setBlankPicture(int width, int height, Rgb colour);
    // No picture: the surface keeps its place and size and shows its background
    // colour only; it holds no image until something is drawn into it again.
    void clearPicture();
    bool hasPicture() const;
    int pictureHeight() const;

    // The colour of the image wherever no picture is; the surface paints its own
    // image, so this takes the place of the widget's background.
    void setBackground(Rgb colour);

    // Draws the picture into the image afresh, then calls the paint handler so it
    // can draw its overlays, and puts the result on screen at once.
    void refresh();
    void onPaint(std::function<void()> handler);
    void onMouseDown(std::function<void()> handler);  // any button
    void onLeftClick(std::function<void()> handler);

    // Copies a rectangle of `source`'s image into this image, pixel for pixel;
    // parts outside the source give the source's background colour.
    void copyFrom(const PictureSurface& source, int sourceX, int sourceY, int width, int height,
                  int destX, int destY);

    // A circle outline into the image.
    void drawCircle(int centreX, int centreY, int radius, Rgb colour, int lineWidth);

    // The inside, in pixels.
    int insideWidth() const;
    int insideHeight() const;
    // 0xAARRGGBB of the image at (x, y), or 0 outside it.
    uint32_t pixel(int x, int y) const;

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};
