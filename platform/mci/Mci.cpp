#include "platform/mci/Mci.h"

#include "platform/Clock.h"
#include "platform/Logging.h"
#include "platform/MessageBox.h"
#include "platform/ProgramEnd.h"
#include "platform/TextCodec.h"
#include "platform/mci/AudioOutput.h"

namespace {

constexpr int kClockedRate = 44100;

MciService::OutputFactory g_factory;
MciObserver g_observer;
MciRefusal g_refusal;

// Never destroyed: the end of the program closes the device from an exit
// handler (see ProgramEnd), which may run after later statics have gone.
MciService& Service() {
    static auto* service = new MciService([]() -> std::unique_ptr<AudioOutput> {
        static bool registered = false;
        if (!registered) {
            registered = true;
            AddShutdownStep([] { ResetMediaControl(); });
        }
        return g_factory ? g_factory() : DefaultAudioOutput();
    });
    return *service;
}

QByteArray UpToNul(const QByteArray& command) {
    const qsizetype nul = command.indexOf('\0');
    return nul < 0 ? command : command.left(nul);
}

uint32_t Send(MciForm form, const QByteArray& command, QByteArray* reply) {
    const uint32_t refused = g_refusal ? g_refusal(UpToNul(command)) : 0;
    const uint32_t result = refused != 0 ? refused : Service().sendString(command, reply);
    const auto category = command.startsWith("status ") ? lcSoundStatus : lcSound;
    qCDebug(category).noquote() << (form == MciForm::Execute ? "mciExecute" : "mciSendString")
                                << DecodeAnsi(UpToNul(command)) << "->" << result
                                << (reply && result == kMciSuccess ? DecodeAnsi(UpToNul(*reply))
                                                                   : QString());
    if (g_observer) g_observer(form, command, result);
    return result;
}

}  // namespace

uint32_t mciSendString(const QByteArray& command, QByteArray* reply) {
    return Send(MciForm::SendString, command, reply);
}

uint32_t mciExecute(const QByteArray& command) {
    const uint32_t result = Send(MciForm::Execute, command, nullptr);
    if (result != kMciSuccess) {
        ShowMessage(QStringLiteral("サウンドのコマンド「%1」を実行できませんでした。\n%2")
                        .arg(DecodeAnsi(UpToNul(command)), MciErrorText(result)),
                    MessageStyle::OkOnly);
    }
    return result;
}

std::unique_ptr<AudioOutput> DefaultAudioOutput() {
    if (!CurrentClock().drivesTimers()) {
        if (auto device = OpenSdlAudioOutput()) return device;
    }
    return MakeClockedAudioOutput(kClockedRate);
}

void ResetMediaControl(MciService::OutputFactory factory) {
    Service().reset();
    g_factory = std::move(factory);
}

void SetMciObserver(MciObserver observer) { g_observer = std::move(observer); }

void SetMciRefusal(MciRefusal refusal) { g_refusal = std::move(refusal); }
