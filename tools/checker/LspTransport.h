#pragma once

#include <QByteArray>
#include <QJsonObject>

#include <cstdio>

// The language protocol's framing on a byte stream: a header of
// "Content-Length: N" (and other fields, which are skipped), an empty line, then
// N bytes of JSON.
class LspReader {
  public:
    explicit LspReader(std::FILE* in) : in_(in) {}

    enum class Result { Message, End, BadHeader };
    // The next message's body; BadHeader for a header without a usable length,
    // after which reading goes on with the next header.
    Result next(QByteArray& body);

  private:
    std::FILE* in_;
};

void WriteLspMessage(std::FILE* out, const QJsonObject& message);
