#pragma once

#include <QByteArray>

#include "platform/mci/MciService.h"

// The service's reply to `command` up to its NUL; "error N" when it failed.
inline QByteArray Ask(MciService& service, const QByteArray& command) {
    QByteArray buffer(80, ' ');
    const uint32_t result = service.sendString(command, &buffer);
    if (result != 0) return "error " + QByteArray::number(result);
    return buffer.left(buffer.indexOf('\0'));
}
