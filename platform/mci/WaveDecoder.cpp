#include "platform/mci/WaveDecoder.h"

#include "platform/mci/SoundLibraries.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace {

SNDFILE* File(void* file) { return static_cast<SNDFILE*>(file); }

// What sound cards use. A wave far below (a 50-byte file declaring 1 Hz) would
// be resampled into gigabytes; one far above is no music anyone recorded.
constexpr int kMinRate = 1000;
constexpr int kMaxRate = 384000;
// Surround at most: more channels than that is a damaged or hostile header.
constexpr int kMaxChannels = 8;

bool IsRiffWave(int format) {
    const int type = format & SF_FORMAT_TYPEMASK;
    return type == SF_FORMAT_WAV || type == SF_FORMAT_WAVEX || type == SF_FORMAT_RF64;
}

}  // namespace

std::unique_ptr<WaveDecoder> WaveDecoder::open(const QString& path, Problem* problem) {
    const QFileInfo info(path);
    if (!info.exists() || !info.isFile()) {
        *problem = Problem::Missing;
        return nullptr;
    }
    if (!Sndfile()) {
        *problem = Problem::NotAWave;
        return nullptr;
    }
    SF_INFO sfInfo{};
    SNDFILE* file = Sndfile()->sf_open(QFile::encodeName(path).constData(), SFM_READ, &sfInfo);
    if (!file) {
        *problem = Problem::NotAWave;
        return nullptr;
    }
    if (!IsRiffWave(sfInfo.format) || sfInfo.channels < 1 || sfInfo.channels > kMaxChannels ||
        sfInfo.samplerate < kMinRate || sfInfo.samplerate > kMaxRate) {
        Sndfile()->sf_close(file);
        *problem = Problem::NotAWave;
        return nullptr;
    }
    std::unique_ptr<WaveDecoder> decoder(new WaveDecoder);
    decoder->file_ = file;
    decoder->rate_ = sfInfo.samplerate;
    decoder->channels_ = sfInfo.channels;
    decoder->frames_ = std::max<int64_t>(sfInfo.frames, 0);
    *problem = Problem::None;
    return decoder;
}

WaveDecoder::~WaveDecoder() {
    if (file_) Sndfile()->sf_close(File(file_));
}

int64_t WaveDecoder::seek(int64_t frame) {
    frame = std::clamp<int64_t>(frame, 0, frames_);
    if (Sndfile()->sf_seek(File(file_), frame, SEEK_SET) == frame) return frame;
    const sf_count_t stayed = Sndfile()->sf_seek(File(file_), 0, SEEK_CUR);
    return stayed >= 0 ? std::min<int64_t>(stayed, frames_) : frames_;
}

int WaveDecoder::read(float* out, int frames) {
    if (channels_ <= 2) {
        const sf_count_t read = Sndfile()->sf_readf_float(File(file_), out, frames);
        return read > 0 ? static_cast<int>(read) : 0;
    }
    block_.resize(static_cast<size_t>(frames) * static_cast<size_t>(channels_));
    const sf_count_t read = Sndfile()->sf_readf_float(File(file_), block_.data(), frames);
    const int count = read > 0 ? static_cast<int>(read) : 0;
    for (int i = 0; i < count; ++i) {
        const float* frame = &block_[static_cast<size_t>(i) * static_cast<size_t>(channels_)];
        out[2 * i] = frame[0];
        out[2 * i + 1] = frame[1];
    }
    return count;
}
