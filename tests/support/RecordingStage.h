#pragma once

#include <QString>
#include <QStringList>

#include <array>

#include "platform/Timer.h"
#include "scenario/Stage.h"
#include "scenario/StageLayout.h"
#include "sound/SoundWindow.h"

// Plain stand-ins for the windows, wired to the same handlers as the real ones, for tests of the
// story and the sound that need no widgets: they keep what was last asked of them.
struct RecordedButton : StageButton {
    QString caption, toolTip, picture;
    bool visible = true, strikethrough = false;

    void setCaption(const QString& text) override { caption = text; }
    void setToolTip(const QString& text) override { toolTip = text; }
    bool setPicture(const QString& path) override;  // only an existing file
    void clearPicture() override { picture.clear(); }
    void setVisible(bool on) override { visible = on; }
    void setStrikethrough(bool on) override { strikethrough = on; }
};

struct RecordedSurface : StageSurface {
    QString picture;  // the file last loaded
    int width = 0, height = 0;
    int refreshes = 0;

    bool loadPicture(const QString& path) override;  // only an existing file
    // An existing file is as high as `height` says; a requested height replaces it.
    int loadStrip(const QString& path, int requested) override;
    void clearPicture() override { picture.clear(); }
    int pictureHeight() const override { return height; }
    void setWidth(int pixels) override { width = pixels; }
    void setHeight(int pixels) override { height = pixels; }
    void refresh() override { ++refreshes; }
    // Pixels are the real window's business (tested with it).
    void copyFrom(const StageSurface&, int, int, int, int, int, int) override {}
    void drawCircle(int, int, int) override {}
};

class RecordingStage : public Stage {
  public:
    RecordingStage();  // the animation timer ticks Animer1_Timer

    QString messageText;
    std::array<RecordedButton, kButtonCount> buttons;
    RecordedSurface picture1, aniPic1, wrkPic1, rpgPic1;
    PeriodicTimer animer1;
    int menuShown = 0;

    void setMessageText(const QString& text) override { messageText = text; }
    StageButton& Command1(int index) override { return buttons.at(static_cast<size_t>(index)); }
    StageSurface& Picture1() override { return picture1; }
    StageSurface& AniPic1() override { return aniPic1; }
    StageSurface& WrkPic1() override { return wrkPic1; }
    StageSurface& RpgPic1() override { return rpgPic1; }
    PeriodicTimer& Animer1() override { return animer1; }
    void ArrangeButtons() override {}
    // Counts; every button visible and blank, as the real menu leaves them
    // outside menu mode 0.
    void ShowSystemMenu() override;
    // Asks MessageScript's quit question; Yes ends the program.
    void ConfirmQuit() override;
};

class PlainSoundWindow : public SoundWindow {
  public:
    PlainSoundWindow();
    PeriodicTimer& Mumer1() override { return loop_; }
    PeriodicTimer& Mumer2() override { return oneShot_; }

  private:
    PeriodicTimer loop_, oneShot_;
};
