#include "support/SoundFixture.h"

#include <QDir>

#include "platform/TextCodec.h"
#include "platform/mci/Mci.h"
#include "sound/MediaControl.h"
#include "sound/WavePlayer.h"

void SoundFixture::SetUp() {
    CoreFixture::SetUp();
    recording_ = std::make_shared<AudioRecording>();
    auto recording = recording_;
    ResetMediaControl([recording] { return MakeClockedAudioOutput(kRate, recording); });
    SetMciObserver([this](MciForm form, const QByteArray& command, uint32_t result) {
        if (!observing_) return;
        const QString text = DecodeAnsi(command);
        sent_.push_back({text, clock_.milliseconds(), result});
        const QString shown =
            text.left(text.indexOf(QChar(0)) < 0 ? text.size() : text.indexOf(QChar(0)));
        commands_ << (form == MciForm::Execute ? QStringLiteral("exec: ")
                                               : QStringLiteral("send: ")) +
                         shown;
    });
}

void SoundFixture::TearDown() {
    SetMciObserver(nullptr);
    SetMciRefusal(nullptr);
    CoreFixture::TearDown();
}

void SoundFixture::writeRamp(const QString& name, int milliseconds, float sign) {
    ASSERT_TRUE(WriteWave(QDir(dataDir()).filePath(name), kRate, 1, WaveEncoding::Float,
                          Ramp(milliseconds * kRate / 1000, sign)));
}

QStringList SoundFixture::takeCommands() {
    QStringList taken;
    taken.swap(commands_);
    return taken;
}

QStringList SoundFixture::WithoutPolling(const QStringList& commands) {
    QStringList kept;
    for (qsizetype i = 0; i < commands.size(); ++i) {
        if (commands[i] == "send: status wavplay mode") continue;
        // The loop monitor's question of the time left: length, then position.
        if (commands[i] == "send: status wavplay length") {
            if (i + 1 < commands.size() && commands[i + 1] == "send: status wavplay position") ++i;
            continue;
        }
        kept << commands[i];
    }
    return kept;
}

std::vector<float> SoundFixture::recorded() const { return LeftChannel(recording_->samples()); }

void SoundFixture::catchUpOutput() {
    // A status query of a device that may not exist: it fails harmlessly, but
    // the output takes its frames first. Not recorded as a command of the game.
    observing_ = false;
    QString buffer = BlankStatusBuffer();
    SendStatusQuery(kStatusModeCommand, buffer);
    observing_ = true;
}
