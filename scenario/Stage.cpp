#include "scenario/Stage.h"

#include <QtGlobal>

namespace {
Stage& (*g_provider)() = nullptr;
}  // namespace

Stage& CurrentStage() {
    if (!g_provider) qFatal("The story was started without a window to show it in.");
    return g_provider();
}

void SetStageProvider(Stage& (*provider)()) { g_provider = provider; }
