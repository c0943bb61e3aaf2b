#include "platform/TextCodec.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>

namespace {

// One conversion descriptor per direction and thread; opening one per call would
// load the converter for every scenario line.
class Converter {
  public:
    Converter(const char* to, const char* from) : handle_(iconv_open(to, from)) {}
    ~Converter() {
        if (valid()) iconv_close(handle_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool valid() const { return handle_ != reinterpret_cast<iconv_t>(-1); }

    // Converts all of input; bad or unmappable input is replaced by `replacement`,
    // skipping `skip` input bytes for each.
    QByteArray convert(QByteArrayView input, const QByteArray& replacement, size_t skip) {
        QByteArray out;
        if (!valid()) return out;
        iconv(handle_, nullptr, nullptr, nullptr, nullptr);
        char* in = const_cast<char*>(input.constData());
        size_t inLeft = static_cast<size_t>(input.size());
        char buffer[4096];
        while (inLeft > 0) {
            char* outPtr = buffer;
            size_t outLeft = sizeof buffer;
            size_t rc = iconv(handle_, &in, &inLeft, &outPtr, &outLeft);
            out.append(buffer, static_cast<qsizetype>(outPtr - buffer));
            if (rc != static_cast<size_t>(-1)) continue;
            if (errno == E2BIG) continue;
            // EILSEQ, or EINVAL for a lead byte cut off at the end of the input.
            out.append(replacement);
            size_t step = skip < inLeft ? skip : inLeft;
            in += step;
            inLeft -= step;
            iconv(handle_, nullptr, nullptr, nullptr, nullptr);
        }
        return out;
    }

  private:
    iconv_t handle_;
};

}  // namespace

QString DecodeAnsi(QByteArrayView bytes) {
    thread_local Converter decoder("UTF-8", "CP932");
    return QString::fromUtf8(decoder.convert(bytes, QByteArrayLiteral("\xEF\xBF\xBD"), 1));
}

QByteArray EncodeAnsi(const QString& text) {
    // CP932 keeps ASCII as it is: the commands to the sound device and the label
    // lines need no converter.
    const bool ascii =
        std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() < 0x80; });
    if (ascii) return text.toLatin1();
    thread_local Converter encoder("CP932", "UTF-8");
    QByteArray out;
    // Encode character by character so that an unmappable one costs exactly one '?'.
    for (qsizetype i = 0; i < text.size(); ++i) {
        qsizetype len = (text.at(i).isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
        QByteArray piece = encoder.convert(text.mid(i, len).toUtf8(), QByteArray(), 1 << 30);
        out.append(piece.isEmpty() ? QByteArray("?") : piece);
        i += len - 1;
    }
    return out;
}
