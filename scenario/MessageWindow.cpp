#include "scenario/MessageWindow.h"

#include <array>

#include "scenario/RunScenario.h"
#include "scenario/Stage.h"

namespace {

std::array<QString, 3> MessageLines;
int16_t MessageCount = 0;

}  // namespace

void MessageOut(const QString& text) {
    if (text == kClearWord) {
        MessageLines.fill(QString());
        MessageCount = 0;
    } else {
        if (MessageCount > 2) {
            MessageLines[0] = MessageLines[1];
            MessageLines[1] = MessageLines[2];
            MessageCount = 2;
        }
        MessageLines[static_cast<size_t>(MessageCount)] = text;
        ++MessageCount;
    }
    // Rows are separated by CR alone; empty rows keep their place.
    CurrentStage().setMessageText(MessageLines[0] + QLatin1Char('\r') + MessageLines[1] +
                                  QLatin1Char('\r') + MessageLines[2]);
    YieldToPlayer();
}

void ResetMessageWindow() {
    MessageLines.fill(QString());
    MessageCount = 0;
}
