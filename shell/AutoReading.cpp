#include "shell/AutoReading.h"

#include "platform/Clock.h"
#include "platform/Events.h"
#include "platform/MessageBox.h"
#include "platform/widgets/CornerMark.h"
#include "platform/widgets/Label.h"
#include "scenario/Ending.h"
#include "scenario/EngineState.h"
#include "scenario/Modes.h"
#include "shell/Backlog.h"
#include "shell/ReadingKeys.h"

namespace {

// How often auto reading looks whether the story waits: the pause is counted
// from the first look that finds it waiting.
constexpr int kAutoLookMs = 20;
// Rows still in the message window when auto reading starts in the middle of a wait.
constexpr int kRowsOnScreen = 3;

bool MayPressNext() {
    return WaitingNextButton() >= 0 && !StoryIsHeld() && !MessageBoxIsOpen() && !BacklogIsOpen();
}

bool ChoiceWaits() { return Engine.MenuMode == kChoiceMode && Engine.WaitingForClick == -1; }

}  // namespace

AutoReading::AutoReading(const MessageRowLog& rows, CornerMark& mark, const Label& messageWindow,
                         const Window& window)
    : rows_(rows), mark_(mark), messageWindow_(messageWindow), window_(window) {
    autoTimer_.onTick([this] { autoTick(); });
    skipTimer_.onTick([this] { skipTick(); });
}

AutoReading::~AutoReading() = default;

void AutoReading::toggleAuto() {
    if (EndingPlays() && !autoOn_) return;
    autoOn_ = !autoOn_;
    if (autoOn_) {
        skipOn_ = false;
        skipTimer_.setInterval(0);
        waitingSince_ = -1;
        rowsAtLastNext_ = std::max<int64_t>(rows_.recorded() - kRowsOnScreen, 0);
        autoTimer_.setInterval(kAutoLookMs);
        autoTick();
    } else {
        autoTimer_.setInterval(0);
    }
    showMark();
    watchInput();
}

void AutoReading::startSkip() {
    if (skipOn_ || EndingPlays()) return;
    autoOn_ = false;
    autoTimer_.setInterval(0);
    skipOn_ = true;
    boxesAtSkip_ = MessageBoxesShown();
    skipTimer_.setInterval(kSkipIntervalMs);
    skipTimer_.setNextTickIn(kSkipStartMs);
    showMark();
    watchInput();
}

void AutoReading::stopSkip() {
    if (!skipOn_) return;
    skipOn_ = false;
    skipTimer_.setInterval(0);
    showMark();
    watchInput();
}

void AutoReading::stop() {
    autoOn_ = false;
    autoTimer_.setInterval(0);
    stopSkip();
    showMark();
    watchInput();
}

void AutoReading::autoTick() {
    if (!MayPressNext()) {
        waitingSince_ = -1;
        return;
    }
    const int64_t now = CurrentClock().milliseconds();
    if (waitingSince_ < 0) {
        waitingSince_ = now;
        waitCharacters_ = rows_.charactersSince(rowsAtLastNext_);
    }
    if (now - waitingSince_ < kAutoPauseMs + int64_t{kAutoPausePerCharacterMs} * waitCharacters_)
        return;
    rowsAtLastNext_ = rows_.recorded();
    waitingSince_ = -1;
    ReadOn();
    // A story that waits again at once starts its pause now, not at the next look.
    if (autoOn_) autoTick();
}

void AutoReading::skipTick() {
    if (StoryIsHeld()) return;
    // Also a box already answered: the quit question asked during a voice
    // comes and goes while the timer waits for the hold to end.
    if (ChoiceWaits() || MessageBoxIsOpen() || MessageBoxesShown() != boxesAtSkip_) {
        stopSkip();
        return;
    }
    if (MayPressNext()) ReadOn();
}

void AutoReading::showMark() {
    QString text;
    if (autoOn_) text = QStringLiteral("AUTO");
    if (skipOn_) text = QStringLiteral("SKIP");
    mark_.show(text, messageWindow_);
}

// While either is on, the player's own clicks and keys end it, seen before any
// widget acts on them.
void AutoReading::watchInput() {
    if (!autoOn_ && !skipOn_) {
        inputWatch_.reset();
    } else if (!inputWatch_) {
        inputWatch_ =
            std::make_unique<InputWatch>(window_, [this](int key) { playerPressed(key); });
    }
}

void AutoReading::playerPressed(int key) {
    // A toggles auto reading and Ctrl is skip: their own keys decide; the other
    // modifiers alone are no key of their own yet.
    if (key == Qt::Key_A || key == Qt::Key_Control || key == Qt::Key_Shift || key == Qt::Key_Alt ||
        key == Qt::Key_Meta)
        return;
    stop();
}
