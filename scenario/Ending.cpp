#include "scenario/Ending.h"

#include "platform/Clock.h"
#include "platform/Events.h"
#include "platform/ProgramEnd.h"
#include "platform/TextFile.h"
#include "scenario/EngineState.h"
#include "scenario/Stage.h"

namespace {

// Every line starts with an ideographic space.
const QString kOpening[] = {
    QStringLiteral("　－－－　それから１ヶ月後　－－－"),
    QStringLiteral("　町の灯りは、今夜も静かにともる。"),
};

const QString kHappyEnding[] = {
    QStringLiteral("　ミオの店に、新しい芯の注文が届いていた。"),
    QStringLiteral("　ミオ「ソウタ、見て！　町じゅうの窓に灯りがともってる」"),
    QStringLiteral("　ソウタ「約束、守れたんだね」"),
    QStringLiteral("　ふたりで探した最後の芯は、今も広場の大ランタンで燃えている。"),
    QStringLiteral("　その灯りを目じるしに、旅人たちが町へと帰ってくるという。"),
    QStringLiteral("　ミオは、そっとソウタの手をにぎりかえした。"),
    QStringLiteral("　灯りは、もう二度と消えない。"),
    QStringLiteral("　Ｈａｐｐｙ　Ｅｎｄ。。。☆"),
};

const QString kNormalEnding[] = {
    QStringLiteral("　ミオはひとりで、消えたままの大ランタンを見上げている。"),
    QStringLiteral("　あの夜の答えは、まだわからない……。"),
    QStringLiteral("　Ｎｏｒｍａｌ　Ｅｎｄ．．．"),
};

constexpr int kSecondChangesPerLine = 5;

bool HappyEnding() { return Engine.ChoiceFlags[6] == -1; }

// Waits until the clock's whole second has changed `changes` times, holding the
// story until each next second instead of asking the clock in a busy loop.
void WaitForSecondChanges(int changes) {
    Clock& clock = CurrentClock();
    int noted = clock.timeOfDaySeconds();
    for (int i = 0; i < changes; ++i) {
        while (clock.timeOfDaySeconds() == noted) {
            const int intoSecond = static_cast<int>(clock.timeOfDayMilliseconds() % 1000);
            clock.holdFor(1000 - intoSecond);
            if (ProgramHasEnded()) return;
        }
        noted = clock.timeOfDaySeconds();
    }
}

}  // namespace

QStringList EndingLines() {
    QStringList lines(std::begin(kOpening), std::end(kOpening));
    if (HappyEnding()) {
        lines.append(QStringList(std::begin(kHappyEnding), std::end(kHappyEnding)));
    } else {
        lines.append(QStringList(std::begin(kNormalEnding), std::end(kNormalEnding)));
    }
    // The closing line stays for three waits.
    lines << lines.back() << lines.back();
    return lines;
}

void ShowEndingLine(const QString& text) {
    CurrentStage().setMessageText(QLatin1Char('\r') + text + QLatin1Char('\r'));
    ProcessPendingEvents();
    const StoryHold hold;
    WaitForSecondChanges(kSecondChangesPerLine);
}

void PlayEnding() {
    const QStringList lines = EndingLines();
    // The player may quit during any line: the close box is asked at once.
    for (qsizetype i = 0; i < lines.size() && !ProgramHasEnded(); ++i) {
        if (i == 2) {
            // From the third line on the CG window shows its background only.
            CurrentStage().Picture1().clearPicture();
            CurrentStage().Picture1().refresh();
        }
        ShowEndingLine(lines[i]);
    }
    if (ProgramHasEnded()) return;
    CloseAllFiles();
    EndProgram();
}
