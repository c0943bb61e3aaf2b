#include "Voices.h"

#include "Synth.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

// How a person sounds: an espeak-ng voice variant, pitch (0-99) and words a minute.
struct Speaker {
    const char* voice;
    int pitch;
    int speed;
};

constexpr Speaker kMio{"ja+f3", 72, 150};
constexpr Speaker kSota{"ja+m3", 38, 160};
constexpr Speaker kGrandmother{"ja+f5", 44, 120};

// The words are written in hiragana: the Japanese voice reads kana, not kanji.
struct Line {
    const char* file;
    Speaker speaker;
    const char* words;
};

const Line kLines[] = {
    {"v_mio01.wav", kMio, "おばあちゃん。おおきな らんたんが、きえちゃったよ。"},
    {"v_oba01.wav", kGrandmother, "みお。その ひを、けさないで おくれ。"},
    {"v_sota01.wav", kSota, "みお。その ひ、ふゆから ずっと、もえてるよな。"},
    {"v_mio02.wav", kMio, "これ。おばあちゃんの、さいごの しんだ。"},
    {"v_sota02.wav", kSota, "だから、いっしょに もとう。ふたりで。"},
    {"v_mio03.wav", kMio, "うん。ふたりで。"},
    {"v_sota03.wav", kSota, "みお！"},
    {"v_mio04.wav", kMio, "そうた？ どこ？"},
};

// Drops the silence around the words, resamples to the game's rate if the
// speaker used another, levels the voice and softens its two ends.
synth::Samples Tidy(synth::Samples in, int rate) {
    const float floor = 0.01f;
    const auto first =
        std::find_if(in.begin(), in.end(), [&](float x) { return std::fabs(x) > floor; });
    const auto last =
        std::find_if(in.rbegin(), in.rend(), [&](float x) { return std::fabs(x) > floor; });
    if (first == in.end()) return {};
    synth::Samples words(first, last.base());
    if (rate != synth::kSampleRate) {
        const double step = double(rate) / synth::kSampleRate;
        synth::Samples resampled(size_t(words.size() / step));
        for (size_t n = 0; n < resampled.size(); ++n) {
            const double at = n * step;
            const size_t i = size_t(at);
            const double f = at - double(i);
            const float next = i + 1 < words.size() ? words[i + 1] : words[i];
            resampled[n] = float(words[i] * (1 - f) + next * f);
        }
        words.swap(resampled);
    }
    synth::Normalise(words, 0.7f);
    const size_t fadeIn = synth::kSampleRate / 200, fadeOut = synth::kSampleRate / 30;
    for (size_t n = 0; n < fadeIn && n < words.size(); ++n)
        words[n] *= float(n) / fadeIn;
    for (size_t n = 0; n < fadeOut && n < words.size(); ++n)
        words[words.size() - 1 - n] *= float(n) / fadeOut;
    words.insert(words.end(), synth::kSampleRate / 8, 0.f);  // a breath after the words
    return words;
}

bool Speak(const Line& line, const QString& rawFile) {
    QProcess speaker;
    speaker.start(kSpeaker, {QStringLiteral("-v"), QString::fromLatin1(line.speaker.voice),
                             QStringLiteral("-p"), QString::number(line.speaker.pitch),
                             QStringLiteral("-s"), QString::number(line.speaker.speed),
                             QStringLiteral("-w"), rawFile, QString::fromUtf8(line.words)});
    if (!speaker.waitForFinished(30000) || speaker.exitStatus() != QProcess::NormalExit ||
        speaker.exitCode() != 0) {
        std::fprintf(stderr, "%s could not speak %s: %s\n", qPrintable(kSpeaker), line.file,
                     speaker.readAllStandardError().constData());
        return false;
    }
    return true;
}

}  // namespace

bool CanMakeVoices() { return !QStandardPaths::findExecutable(kSpeaker).isEmpty(); }

bool MakeVoices(QStringList& made) {
    QTemporaryDir work;
    if (!work.isValid()) return false;
    for (const Line& line : kLines) {
        const QString raw = work.filePath(QStringLiteral("raw.wav"));
        synth::Samples samples;
        int rate = 0;
        if (!Speak(line, raw) || !synth::ReadWave(raw, samples, rate)) return false;
        if (!synth::WriteWave(QString::fromLatin1(line.file), Tidy(std::move(samples), rate)))
            return false;
        made << QString::fromLatin1(line.file);
    }
    return true;
}
