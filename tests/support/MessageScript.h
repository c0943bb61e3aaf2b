#pragma once

#include <QString>

#include <deque>

#include "platform/MessageBox.h"

// The question the window's close box, the quit button and the story's end ask.
inline QString QuitQuestion() { return QStringLiteral("ゲームを終了しますか？"); }

// Answers the game's message boxes from a script. Each box must be the next one
// expected (its text equal, or containing a fragment); an unexpected box fails the
// test and is answered OK / No so that nothing hangs. Boxes still expected when
// the script goes out of scope fail the test too.
class MessageScript {
  public:
    MessageScript();
    ~MessageScript();

    MessageScript& expect(const QString& text, MessageAnswer answer = MessageAnswer::Ok);
    MessageScript& expectContaining(const QString& fragment,
                                    MessageAnswer answer = MessageAnswer::Ok);
    MessageScript& expectQuitQuestion(MessageAnswer answer);

    // Every box shown so far, in order.
    const std::deque<QString>& shown() const { return shown_; }
    bool finished() const { return expected_.empty(); }

  private:
    struct Expected {
        QString text;
        bool fragment;
        MessageAnswer answer;
    };
    MessageAnswer answer(const QString& text, MessageStyle style);

    std::deque<Expected> expected_;
    std::deque<QString> shown_;
};
