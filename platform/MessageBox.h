#pragma once

#include <QString>

#include <cstdint>
#include <functional>

// Every message the player sees is a modal box captioned with the application title.
enum class MessageStyle {
    OkOnly,         // no icon: the interpreter's and the shell's messages
    OkInformation,  // the version box
    YesNoQuestion,  // the quit question
};

enum class MessageAnswer { Ok, Yes, No };

// Shows the box and waits for the player's answer.
MessageAnswer ShowMessage(const QString& text, MessageStyle style);

// While a box waits for its answer (timers still tick meanwhile).
bool MessageBoxIsOpen();
// Boxes shown since the program started, the answered ones included: tells
// whether one came up while nobody was looking (during a held story).
int64_t MessageBoxesShown();

// How boxes reach the screen; the windowing part of the platform installs it
// when the application starts (PlatformApplication). Without one, a box is
// written to standard error and answered OK (No to a question).
using MessagePresenter = MessageAnswer (*)(const QString& text, MessageStyle style);
void SetMessagePresenter(MessagePresenter presenter);

// Tests answer boxes from a script instead of the screen. While a responder is
// installed no box is shown; nullptr restores the real boxes.
using MessageResponder = std::function<MessageAnswer(const QString& text, MessageStyle style)>;
void SetMessageResponder(MessageResponder responder);
