#include "platform/TextFile.h"

#include <QFile>

#include <map>
#include <memory>

#include "platform/FileLookup.h"
#include "platform/TextCodec.h"

namespace {

constexpr int16_t kHighestFileNumber = 255;
constexpr qint64 kChunkSize = 16 * 1024;

class TextInputFile {
  public:
    bool open(const QString& path) {
        file_.setFileName(ResolveFileName(path));
        return file_.open(QIODevice::ReadOnly);
    }

    bool readLine(QString& line) {
        QByteArray bytes;
        bool tookAnyByte = false;
        for (;;) {
            if (position_ >= buffer_.size() && !refill()) {
                if (!tookAnyByte) return false;
                break;
            }
            tookAnyByte = true;
            char c = buffer_.at(position_++);
            if (c == '\n') break;
            if (c == '\r') {
                // CR LF is one terminator; the LF may sit in the next chunk.
                if (position_ < buffer_.size() || refill()) {
                    if (buffer_.at(position_) == '\n') ++position_;
                }
                break;
            }
            bytes.append(c);
        }
        line = DecodeAnsi(bytes);
        return true;
    }

  private:
    bool refill() {
        buffer_ = file_.read(kChunkSize);
        position_ = 0;
        return !buffer_.isEmpty();
    }

    QFile file_;
    QByteArray buffer_;
    qsizetype position_ = 0;
};

std::map<int16_t, std::unique_ptr<TextInputFile>>& OpenFiles() {
    static std::map<int16_t, std::unique_ptr<TextInputFile>> files;
    return files;
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
    auto it = OpenFiles().find(number);
    if (it == OpenFiles().end()) return false;
    return it->second->readLine(line);
}

bool IsFileOpen(int16_t number) { return OpenFiles().count(number) != 0; }

void CloseFile(int16_t number) { OpenFiles().erase(number); }

void CloseAllFiles() { OpenFiles().clear(); }
