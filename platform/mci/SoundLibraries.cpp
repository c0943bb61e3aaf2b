#include "platform/mci/SoundLibraries.h"

#include <QLibrary>

#include "platform/Logging.h"

namespace {

// Resolves every entry of `table` from `library`, in the order of `names`.
template <typename Table, size_t N>
bool ResolveAll(QLibrary& library, Table& table, const char* const (&names)[N]) {
    static_assert(sizeof(Table) == N * sizeof(void*), "one name per entry");
    auto* entries = reinterpret_cast<QFunctionPointer*>(&table);
    for (size_t i = 0; i < N; ++i) {
        entries[i] = library.resolve(names[i]);
        if (!entries[i]) {
            qCDebug(lcSound) << library.fileName() << "lacks" << names[i];
            return false;
        }
    }
    return true;
}

template <typename Table, size_t N>
const Table* Load(const char* name, int version, const char* const (&names)[N]) {
    static Table table;
    QLibrary library(QString::fromLatin1(name), version);
    library.setLoadHints(QLibrary::ResolveAllSymbolsHint);
    if (!library.load()) {
        qCDebug(lcSound).noquote() << "cannot load" << name << library.errorString();
        return nullptr;
    }
    // The library stays loaded for the rest of the program.
    return ResolveAll(library, table, names) ? &table : nullptr;
}

// In the order of the members of SdlLibrary and SndfileLibrary.
constexpr const char* kSdlNames[] = {
    "SDL_InitSubSystem",         "SDL_QuitSubSystem",        "SDL_GetError",
    "SDL_GetCurrentAudioDriver", "SDL_OpenAudioDevice",      "SDL_CloseAudioDevice",
    "SDL_LockAudioDevice",       "SDL_UnlockAudioDevice",    "SDL_PauseAudioDevice",
    "SDL_NewAudioStream",        "SDL_FreeAudioStream",      "SDL_AudioStreamPut",
    "SDL_AudioStreamGet",        "SDL_AudioStreamAvailable", "SDL_AudioStreamFlush",
    "SDL_AudioStreamClear",
};
constexpr const char* kSndfileNames[] = {"sf_open", "sf_close", "sf_seek", "sf_readf_float"};

}  // namespace

const SdlLibrary* Sdl() {
    static const SdlLibrary* library = Load<SdlLibrary>("SDL2-2.0", 0, kSdlNames);
    return library;
}

const SndfileLibrary* Sndfile() {
    static const SndfileLibrary* library = Load<SndfileLibrary>("sndfile", 1, kSndfileNames);
    return library;
}
