#include "shell/Form1.h"

#include <memory>

#include "platform/Events.h"
#include "scenario/CgWindow.h"
#include "scenario/EngineState.h"
#include "shell/FormStage.h"
#include "shell/Quit.h"
#include "shell/ReadingKeys.h"
#include "shell/SystemMenu.h"

namespace {

std::unique_ptr<Form1> g_form;

constexpr Rgb kFormGreen{0, 255, 0};
constexpr Rgb kWhite{255, 255, 255};

// Design places: left, top, width, height in pixels.
void Place(Widget& widget, int left, int top, int width, int height) {
    widget.setLeft(left);
    widget.setTop(top);
    widget.setWidth(width);
    widget.setHeight(height);
}

// The off-screen buffers have no border, so that their inside is exactly what
// the game sizes them to (a strip of n frames is n frames high).
PictureSurface::Options HiddenBuffer(bool autoSize) {
    return {.borderPx = 0, .autoSize = autoSize, .takesFocus = false};
}

void ClickButton(int16_t index) {
    if (StoryIsHeld()) {
        // A voice or the ending holds the story. Next and the choices find no
        // wait now and must not find the next one: they are dropped. The menu's
        // own buttons are clicked when the story next yields.
        if (!ActsOnlyWhileTheStoryWaits(index)) DeferUntilHoldEnds([index] { ClickButton(index); });
        return;
    }
    // The chosen button turns into a menu button; a key must not press it.
    if (Engine.MenuMode == kChoiceMode) MainForm().window.focusNothing();
    Command1_Click(index);
    SettleFocus();
}

}  // namespace

Form1::Form1()
    : window(QStringLiteral("Form1")),
      CardPic1(window, QStringLiteral("CardPic1"), HiddenBuffer(false)),
      RpgPic1(window, QStringLiteral("RpgPic1"), HiddenBuffer(false)),
      Command1(window, QStringLiteral("Command1"), kButtonCount),
      WrkPic1(window, QStringLiteral("WrkPic1"), HiddenBuffer(true)),
      AniPic1(window, QStringLiteral("AniPic1"), HiddenBuffer(true)),
      Picture1(window, QStringLiteral("Picture1"),
               {.borderPx = 2, .autoSize = true, .takesFocus = false}),
      Label1(window, QStringLiteral("Label1")) {
    window.setClientSize(kStageWidth, kStageHeight);
    window.setBackground(kFormGreen);
    window.useGameIcon();

    Place(CardPic1, 352, 392, 97, 73);
    Place(RpgPic1, 224, 392, 113, 81);
    Place(WrkPic1, 136, 392, 81, 121);
    Place(AniPic1, 16, 392, 105, 169);
    for (PictureSurface* hidden : {&CardPic1, &RpgPic1, &WrkPic1, &AniPic1}) {
        hidden->setVisible(false);
    }

    Place(Picture1, 8, 8, 484, 362);
    Picture1.setBlankPicture(480, 358, kWhite);
    Picture1.setToolTip(QStringLiteral("CG Window"));
    Picture1.setAccessibleName(QStringLiteral("CG ウィンドウ（場面の絵）"));

    Place(Label1, 8, 376, kMessageWindowWidth, 53);
    Label1.setBackground(kWhite);
    Label1.setFont(kMessageFont, kMessageFontPoints);
    Label1.setToolTip(QStringLiteral("Message Window"));

    for (int i = 0; i < kButtonCount; ++i) {
        Place(Command1[i], 496, 8 + 40 * i, kButtonWidth, kButtonHeight);
        Command1[i].setFont(ButtonFont(i), kButtonFontPoints);
    }

    window.setFocusOrder({&Command1[9], &Command1[0], &Command1[1], &Command1[2], &Command1[3],
                          &Command1[4], &Command1[5], &Command1[6], &Command1[7], &Command1[8],
                          &Command1[10]});

    Command1.onClick(ClickButton);
    Animer1.onTick([] { Animer1_Timer(); });
    Picture1.onPaint([] { Picture1_Paint(); });
    Picture1.onMouseDown([] { Picture1_MouseDown(); });
    Picture1.onLeftClick(ReadOn);
    Label1.onClick(ReadOn);
    window.onReadingKey(ReadOn);
    window.onCloseRequest([](int16_t& cancel) {
        Form_Unload(cancel);
        if (cancel != 0) SettleFocus();
    });
    stage = std::make_unique<FormStage>(*this);
}

Form1::~Form1() = default;

Form1& MainForm() {
    if (!g_form) g_form = std::make_unique<Form1>();
    return *g_form;
}

bool MainFormExists() { return g_form != nullptr; }

void DestroyMainForm() { g_form.reset(); }
