#pragma once

#include <memory>

#include "platform/Timer.h"
#include "platform/widgets/ButtonArray.h"
#include "platform/widgets/Label.h"
#include "platform/widgets/PictureSurface.h"
#include "platform/widgets/Window.h"
#include "scenario/StageLayout.h"

class FormStage;
struct ReaderComforts;

// The main window and everything on it, at the places of its design (pixels of
// the inside). Start-up and the system menu move and dress them afterwards.
struct Form1 {
    Form1();
    ~Form1();

    Window window;            // first: the widgets below live inside it
    PictureSurface CardPic1;  // hidden off-screen buffers
    PictureSurface RpgPic1;
    ButtonArray Command1;  // 0-10: system menu, Next, choices
    PeriodicTimer Animer1;
    PictureSurface WrkPic1;
    PictureSurface AniPic1;
    PictureSurface Picture1;  // the CG window
    Label Label1;             // the message window

    std::unique_ptr<ReaderComforts> comforts;  // scaling, backlog, auto and skip
    std::unique_ptr<FormStage> stage;          // what the story sees of all this
};

// The one main window, created on first use.
Form1& MainForm();
bool MainFormExists();
// Tests start each case with a fresh window.
void DestroyMainForm();
