#include "platform/mci/SoundLibraries.h"

#include <QLibrary>

#include "platform/Logging.h"

namespace {

// Resolves `name` from `library` into `entry`; false when the library lacks it.
template <typename Function>
bool Resolve(QLibrary& library, Function& entry, const char* name) {
    entry = reinterpret_cast<Function>(library.resolve(name));
    if (!entry) qCDebug(lcSound) << library.fileName() << "lacks" << name;
    return entry != nullptr;
}

template <typename Table, typename ResolveTable>
const Table* Load(const char* name, int version, ResolveTable resolveAll) {
    static Table table;
    QLibrary library(QString::fromLatin1(name), version);
    library.setLoadHints(QLibrary::ResolveAllSymbolsHint);
    if (!library.load()) {
        qCDebug(lcSound).noquote() << "cannot load" << name << library.errorString();
        return nullptr;
    }
    // The library stays loaded for the rest of the program.
    return resolveAll(library, table) ? &table : nullptr;
}

#define LANTERNWICK_RESOLVE(name) &&Resolve(library, table.name, #name)

bool ResolveSdl(QLibrary& library, SdlLibrary& table) {
    return true LANTERNWICK_SDL_FUNCTIONS(LANTERNWICK_RESOLVE);
}

bool ResolveSndfile(QLibrary& library, SndfileLibrary& table) {
    return true LANTERNWICK_SNDFILE_FUNCTIONS(LANTERNWICK_RESOLVE);
}

#undef LANTERNWICK_RESOLVE

}  // namespace

const SdlLibrary* Sdl() {
    static const SdlLibrary* library = Load<SdlLibrary>("SDL2-2.0", 0, ResolveSdl);
    return library;
}

const SndfileLibrary* Sndfile() {
    static const SndfileLibrary* library = Load<SndfileLibrary>("sndfile", 1, ResolveSndfile);
    return library;
}
