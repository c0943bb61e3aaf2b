#pragma once

#include <memory>
#include <vector>

#include "scenario/Stage.h"

struct Form1;
class PictureSurface;
class PushButton;

// The main window as the story's stage: each call goes to the widget of the same
// name. Form1 owns one, so the stage lives and dies with the window.
class FormStage : public Stage {
  public:
    explicit FormStage(Form1& form);
    ~FormStage() override;

    void setMessageText(const QString& text) override;
    StageButton& Command1(int index) override;
    StageSurface& Picture1() override;
    StageSurface& AniPic1() override;
    StageSurface& WrkPic1() override;
    StageSurface& RpgPic1() override;
    PeriodicTimer& Animer1() override;

    void ArrangeButtons() override;
    void ShowSystemMenu() override;
    void ConfirmQuit() override;

  private:
    class Button;
    class Surface;

    Form1& form_;
    std::vector<std::unique_ptr<Button>> buttons_;
    std::unique_ptr<Surface> picture1_, aniPic1_, wrkPic1_, rpgPic1_;
};

// Makes the main window the story's stage and the hidden sound window the sound
// code's, each created on first use. Start-up calls it first; so do the tests and
// the measuring programs that drive the real windows.
void AttachShell();
