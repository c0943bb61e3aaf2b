#include "sound/MediaControl.h"

#include <algorithm>

#include "platform/TextCodec.h"
#include "platform/mci/Mci.h"
#include "sound/WavePlayer.h"

uint32_t SendMediaCommand(const QString& command) { return mciSendString(EncodeAnsi(command)); }

void ExecuteMediaCommand(const QString& command) { mciExecute(EncodeAnsi(command)); }

QString BlankStatusBuffer() { return QString(kStatusBufferLength, QLatin1Char(' ')); }

uint32_t SendStatusQuery(const QString& command, QString& buffer) {
    // The replies are digits and plain words, so the buffer goes through Latin-1
    // unchanged, its NUL and blanks included.
    QByteArray bytes = buffer.toLatin1();
    const uint32_t result = mciSendString(EncodeAnsi(command), &bytes);
    buffer = QString::fromLatin1(bytes);
    return result;
}

bool ReportsPlaying(const QString& buffer) { return buffer.startsWith(QLatin1String("playing")); }

namespace {

// The monitors ask the status every millisecond near a music's end: commands are
// encoded once by the callers and the blank-filled buffer is reused, so that a
// query allocates nothing. The reply is good until the next query.
const QByteArray& StatusReply(const QByteArray& command, uint32_t* code) {
    static QByteArray buffer(kStatusBufferLength, ' ');
    buffer.fill(' ');
    *code = mciSendString(command, &buffer);
    return buffer;
}

int64_t StatusNumber(const QByteArray& command) {
    uint32_t code = 0;
    const QByteArray& reply = StatusReply(command, &code);
    if (code != 0) return -1;
    bool ok = false;
    const int64_t value = QByteArrayView(reply.constData()).toLongLong(&ok);
    return ok ? value : -1;
}

}  // namespace

bool WaveIsPlaying(uint32_t* result) {
    static const QByteArray command = EncodeAnsi(kStatusModeCommand);
    uint32_t code = 0;
    const bool playing = StatusReply(command, &code).startsWith("playing");
    if (result) *result = code;
    return playing;
}

int64_t WaveTimeLeft() {
    static const QByteArray lengthCommand = EncodeAnsi(kStatusLengthCommand);
    static const QByteArray positionCommand = EncodeAnsi(kStatusPositionCommand);
    const int64_t length = StatusNumber(lengthCommand);
    const int64_t position = StatusNumber(positionCommand);
    if (length < 0 || position < 0) return -1;
    return std::max<int64_t>(length - position, 0);
}

bool EndsInLowerV(const QString& name) { return name.endsWith(QLatin1Char('v')); }
