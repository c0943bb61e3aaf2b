#include "shell/Form2.h"

#include <memory>

#include "sound/MusicMonitors.h"

namespace {
std::unique_ptr<Form2> g_form;
}  // namespace

Form2::Form2() {
    loopMonitor_.setTag(QStringLiteral("0"));
    loopMonitor_.onTick([] { Mumer1_Timer(); });
    oneShotMonitor_.onTick([] { Mumer2_Timer(); });
}

Form2& SoundForm() {
    if (!g_form) g_form = std::make_unique<Form2>();
    return *g_form;
}

bool SoundWindowExists() { return g_form != nullptr; }

void DestroySoundWindow() { g_form.reset(); }
