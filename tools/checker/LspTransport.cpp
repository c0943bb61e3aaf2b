#include "LspTransport.h"

#include <QJsonDocument>

namespace {

// A message of more than this is no editor's scenario; it is read past, not kept.
constexpr qint64 kLargestMessage = 256 * 1024 * 1024;

// One header line without its CR LF; false at the end of input.
bool ReadHeaderLine(std::FILE* in, QByteArray& line) {
    line.clear();
    for (;;) {
        const int c = std::fgetc(in);
        if (c == EOF) return !line.isEmpty();
        if (c == '\n') break;
        line.append(static_cast<char>(c));
    }
    if (line.endsWith('\r')) line.chop(1);
    return true;
}

}  // namespace

LspReader::Result LspReader::next(QByteArray& body) {
    qint64 length = -1;
    bool any = false;
    QByteArray line;
    for (;;) {
        if (!ReadHeaderLine(in_, line)) return Result::End;
        if (line.isEmpty()) {
            if (any) break;
            continue;  // blank lines between messages
        }
        any = true;
        const qsizetype colon = line.indexOf(':');
        if (colon > 0 && line.left(colon).trimmed().toLower() == "content-length") {
            bool ok = false;
            length = line.mid(colon + 1).trimmed().toLongLong(&ok);
            if (!ok || length < 0) length = -1;
        }
    }
    if (length < 0 || length > kLargestMessage) return Result::BadHeader;
    body.resize(length);
    const size_t got = std::fread(body.data(), 1, static_cast<size_t>(length), in_);
    if (got != static_cast<size_t>(length)) return Result::End;
    return Result::Message;
}

void WriteLspMessage(std::FILE* out, const QJsonObject& message) {
    const QByteArray body = QJsonDocument(message).toJson(QJsonDocument::Compact);
    std::fprintf(out, "Content-Length: %lld\r\n\r\n", static_cast<long long>(body.size()));
    std::fwrite(body.constData(), 1, static_cast<size_t>(body.size()), out);
    std::fflush(out);
}
