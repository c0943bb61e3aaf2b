#include "platform/MessageBox.h"

#include <cstdio>

#include "platform/ApplicationTitle.h"
#include "platform/Logging.h"

namespace {

MessageResponder& Responder() {
    static MessageResponder responder;
    return responder;
}

MessagePresenter g_presenter = nullptr;
int g_openBoxes = 0;
int64_t g_boxesShown = 0;

const char* AnswerName(MessageAnswer answer) {
    switch (answer) {
        case MessageAnswer::Ok: return "OK";
        case MessageAnswer::Yes: return "Yes";
        case MessageAnswer::No: return "No";
    }
    return "?";
}

// A program without windows (a tool) still says what went wrong, and never
// agrees to a question nobody saw.
MessageAnswer WriteToStandardError(const QString& text, MessageStyle style) {
    std::fprintf(stderr, "%s: %s\n", qUtf8Printable(ApplicationTitle()), qUtf8Printable(text));
    return style == MessageStyle::YesNoQuestion ? MessageAnswer::No : MessageAnswer::Ok;
}

}  // namespace

MessageAnswer ShowMessage(const QString& text, MessageStyle style) {
    MessageAnswer answer;
    ++g_openBoxes;
    ++g_boxesShown;
    if (Responder()) {
        answer = Responder()(text, style);
    } else if (g_presenter) {
        answer = g_presenter(text, style);
    } else {
        answer = WriteToStandardError(text, style);
    }
    --g_openBoxes;
    qCDebug(lcMsgbox).noquote() << "message box:" << text << "->" << AnswerName(answer);
    return answer;
}

bool MessageBoxIsOpen() { return g_openBoxes > 0; }

int64_t MessageBoxesShown() { return g_boxesShown; }

void SetMessageResponder(MessageResponder responder) { Responder() = std::move(responder); }

void SetMessagePresenter(MessagePresenter presenter) { g_presenter = presenter; }
