#include "support/MessageScript.h"

#include <gtest/gtest.h>

MessageScript::MessageScript() {
    SetMessageResponder(
        [this](const QString& text, MessageStyle style) { return answer(text, style); });
}

MessageScript::~MessageScript() {
    SetMessageResponder(nullptr);
    for (const Expected& e : expected_) {
        ADD_FAILURE() << "message box never shown: " << e.text.toStdString();
    }
}

MessageScript& MessageScript::expect(const QString& text, MessageAnswer answer) {
    expected_.push_back({text, false, answer});
    return *this;
}

MessageScript& MessageScript::expectContaining(const QString& fragment, MessageAnswer answer) {
    expected_.push_back({fragment, true, answer});
    return *this;
}

MessageScript& MessageScript::expectQuitQuestion(MessageAnswer answer) {
    return expect(QuitQuestion(), answer);
}

MessageAnswer MessageScript::answer(const QString& text, MessageStyle style) {
    shown_.push_back(text);
    const MessageAnswer fallback =
        style == MessageStyle::YesNoQuestion ? MessageAnswer::No : MessageAnswer::Ok;
    if (expected_.empty()) {
        ADD_FAILURE() << "unexpected message box: " << text.toStdString();
        return fallback;
    }
    const Expected next = expected_.front();
    const bool matches = next.fragment ? text.contains(next.text) : text == next.text;
    if (!matches) {
        ADD_FAILURE() << "message box: " << text.toStdString()
                      << "\n  expected: " << next.text.toStdString();
        return fallback;
    }
    expected_.pop_front();
    return next.answer;
}
