#pragma once

#include <QString>

class PeriodicTimer;

// What the story sees of the main window: the message window, the button row,
// the CG window with its hidden buffers, and the animation timer. The shell
// implements it with the real widgets (shell/FormStage.h); the story never
// reaches the widgets themselves.

// One button of the row.
class StageButton {
  public:
    virtual ~StageButton() = default;
    virtual void setCaption(const QString& caption) = 0;
    virtual void setToolTip(const QString& toolTip) = 0;
    // False, and nothing changes, when the file is missing or no picture.
    virtual bool setPicture(const QString& path) = 0;
    virtual void clearPicture() = 0;
    virtual void setVisible(bool visible) = 0;
    // Struck through while the story does not wait for Next.
    virtual void setStrikethrough(bool on) = 0;
};

// A picture surface: the CG window or one of its hidden buffers. It keeps an
// image of what it shows; pixel copies and the circle go into that image.
class StageSurface {
  public:
    virtual ~StageSurface() = default;
    // False, and nothing changes, when the file is missing or no picture.
    virtual bool loadPicture(const QString& path) = 0;
    // An animation strip, decoded straight into the image and kept only there.
    // `height` > 0 makes the image that many rows high (cut off or continued with
    // the background); 0 keeps the file's. Returns the file's own height, or -1
    // when it is no picture.
    virtual int loadStrip(const QString& path, int height) = 0;
    virtual void clearPicture() = 0;
    virtual int pictureHeight() const = 0;
    virtual void setWidth(int pixels) = 0;
    virtual void setHeight(int pixels) = 0;
    // Draws the picture afresh, then the overlays of Picture1_Paint.
    virtual void refresh() = 0;
    // A rectangle of `source`, a surface of the same stage, into this image.
    virtual void copyFrom(const StageSurface& source, int sourceX, int sourceY, int width,
                          int height, int destX, int destY) = 0;
    // The circle overlay: the game's grey outline.
    virtual void drawCircle(int centreX, int centreY, int radius) = 0;
};

class Stage {
  public:
    virtual ~Stage() = default;

    // The message window's three rows, separated by CR.
    virtual void setMessageText(const QString& text) = 0;
    // The buttons 0 to 10.
    virtual StageButton& Command1(int index) = 0;
    virtual StageSurface& Picture1() = 0;  // the CG window
    virtual StageSurface& AniPic1() = 0;   // the animation strip, hidden
    virtual StageSurface& WrkPic1() = 0;   // where a single frame is loaded, hidden
    virtual StageSurface& RpgPic1() = 0;   // painted under the CG picture in modes 5 and 7
    virtual PeriodicTimer& Animer1() = 0;

    // The shell's procedures the story calls: `sysmode` lays out and clears the
    // button row, the story's end and the routine "render" ask the quit question.
    virtual void ArrangeButtons() = 0;
    virtual void ShowSystemMenu() = 0;
    virtual void ConfirmQuit() = 0;
};

// The stage of the running program, made on first use by the provider the
// program installs at start (tests install their own).
Stage& CurrentStage();
void SetStageProvider(Stage& (*provider)());
