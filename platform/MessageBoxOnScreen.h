#pragma once

#include "platform/MessageBox.h"

// A modal message box of the windowing system, captioned with the application
// title; PlatformApplication makes it the presenter of ShowMessage.
MessageAnswer ShowMessageOnScreen(const QString& text, MessageStyle style);
