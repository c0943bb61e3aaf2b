#include "platform/TextFile.h"

#include <QFile>

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>

#include "platform/FileLookup.h"
#include "platform/TextCodec.h"

namespace {

constexpr int16_t kHighestFileNumber = 255;

class TextInputFile {
  public:
    bool open(const QString& path) {
        // The chunks below are this reader's buffer: a second one in QFile
        // would only copy every byte once more.
        if (!OpenRegularFile(file_, ResolveFileName(path),
                             QIODevice::ReadOnly | QIODevice::Unbuffered))
            return false;
        // The size as the file is opened: a file that grows while it is read,
        // or that says it is empty and gives bytes for ever, is read no further.
        const qint64 size = file_.size();
        left_ = std::min<qint64>(size, kLongestTextFileBytes);
        cutAtBound_ = size > kLongestTextFileBytes;
        return true;
    }

    bool cutAtBound() const { return cutAtBound_ && left_ == 0; }

    bool readLine(QString& line) {
        QByteArrayView bytes;
        if (!nextLine(bytes)) return false;
        line = DecodeAnsi(bytes);
        return true;
    }

    bool lastLineCut() const { return cut_; }

    bool readLineMatching(std::initializer_list<QByteArrayView> wanted, QString& line,
                          int64_t& linesRead) {
        QByteArrayView bytes;
        while (nextLine(bytes)) {
            ++linesRead;
            for (QByteArrayView w : wanted) {
                if (bytes == w) {
                    line = DecodeAnsi(bytes);
                    return true;
                }
            }
        }
        return false;
    }

  private:
    // The next line's bytes without its terminator. The view points into the
    // read buffer, or into carry_ when the line spans two chunks; it lives until
    // the next call.
    bool nextLine(QByteArrayView& bytes) {
        bool carried = false;
        cut_ = false;
        carry_.clear();  // keeps its capacity
        for (;;) {
            if (position_ >= buffer_.size() && !refill()) {
                if (!carried) return false;
                bytes = carry_;
                return true;
            }
            const char* begin = buffer_.constData() + position_;
            const char* end = buffer_.constData() + buffer_.size();
            const char* stop =
                buffer_.constData() + std::min(next(nextLf_, '\n'), next(nextCr_, '\r'));
            if (stop == end) {
                keep(begin, end - begin);
                carried = true;
                position_ = buffer_.size();
                continue;
            }
            position_ += (stop - begin) + 1;
            if (carried) keep(begin, stop - begin);
            if (*stop == '\r') {
                // CR LF is one terminator; the LF may sit in the next chunk, and
                // reading that chunk replaces the one the line is in.
                if (position_ >= buffer_.size()) {
                    if (!carried) keep(begin, stop - begin);
                    carried = true;
                    if (refill() && buffer_.at(0) == '\n') ++position_;
                } else if (buffer_.at(position_) == '\n') {
                    ++position_;
                }
            }
            bytes = carried ? QByteArrayView(carry_) : QByteArrayView(begin, stop - begin);
            return true;
        }
    }

    // Adds to the line spanning chunks up to the bound; the rest is passed over,
    // so an endless line costs time but no memory.
    void keep(const char* begin, qsizetype count) {
        const qsizetype room = std::max<qsizetype>(kLongestLineBytes - carry_.size(), 0);
        if (count > room) cut_ = true;
        carry_.append(begin, std::min(count, room));
    }

    // Where the next `c` at or after the read position is (the buffer's size when
    // there is none), found with memchr and kept until the position passes it:
    // every byte is looked at once for each of the two terminators.
    qsizetype next(qsizetype& cached, char c) {
        if (cached < position_) {
            const void* found = std::memchr(buffer_.constData() + position_, c,
                                            static_cast<size_t>(buffer_.size() - position_));
            cached = found ? static_cast<const char*>(found) - buffer_.constData() : buffer_.size();
        }
        return cached;
    }

    bool refill() {
        nextLf_ = nextCr_ = -1;
        // The same buffer every time: a jump reads the whole file through it.
        const qint64 want = std::min<qint64>(kTextFileChunkBytes, left_);
        buffer_.resize(want);
        const qint64 got = want > 0 ? file_.read(buffer_.data(), want) : 0;
        buffer_.resize(got > 0 ? got : 0);
        left_ -= buffer_.size();
        position_ = 0;
        return !buffer_.isEmpty();
    }

    QFile file_;
    qint64 left_ = 0;
    bool cutAtBound_ = false;
    QByteArray buffer_;
    qsizetype position_ = 0;
    qsizetype nextLf_ = -1;
    qsizetype nextCr_ = -1;
    QByteArray carry_;
    bool cut_ = false;
};

// Never destroyed: the end of the program closes the files from an exit
// handler, which may run after the statics made later than it have gone.
std::map<int16_t, std::unique_ptr<TextInputFile>>& OpenFiles() {
    static auto* files = new std::map<int16_t, std::unique_ptr<TextInputFile>>;
    return *files;
}

TextInputFile* Find(int16_t number) {
    auto it = OpenFiles().find(number);
    return it == OpenFiles().end() ? nullptr : it->second.get();
}

}  // namespace

int16_t FreeFileNumber() {
    for (int16_t n = 1; n <= kHighestFileNumber; ++n) {
        if (!OpenFiles().count(n)) return n;
    }
    return 0;
}

bool OpenForInput(int16_t number, const QString& path) {
    CloseFile(number);
    if (number < 1 || number > kHighestFileNumber) return false;
    auto file = std::make_unique<TextInputFile>();
    if (!file->open(path)) return false;
    OpenFiles()[number] = std::move(file);
    return true;
}

bool ReadLine(int16_t number, QString& line) {
    TextInputFile* file = Find(number);
    return file && file->readLine(line);
}

bool ReadLineMatching(int16_t number, std::initializer_list<QByteArrayView> wanted, QString& line,
                      int64_t& linesRead) {
    TextInputFile* file = Find(number);
    return file && file->readLineMatching(wanted, line, linesRead);
}

bool LastLineWasCut(int16_t number) {
    TextInputFile* file = Find(number);
    return file && file->lastLineCut();
}

bool StoppedAtBound(int16_t number) {
    TextInputFile* file = Find(number);
    return file && file->cutAtBound();
}

bool IsFileOpen(int16_t number) { return OpenFiles().count(number) != 0; }

void CloseFile(int16_t number) { OpenFiles().erase(number); }

void CloseAllFiles() { OpenFiles().clear(); }
