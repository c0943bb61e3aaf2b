#include "platform/Logging.h"

Q_LOGGING_CATEGORY(lcScenario, "lanternwick.scenario", QtWarningMsg)
Q_LOGGING_CATEGORY(lcMsgbox, "lanternwick.msgbox", QtWarningMsg)
Q_LOGGING_CATEGORY(lcSound, "lanternwick.sound", QtWarningMsg)
Q_LOGGING_CATEGORY(lcSoundStatus, "lanternwick.sound.status", QtWarningMsg)
