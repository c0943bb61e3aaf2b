#include "platform/mci/SoundLibraries.h"

#define LANTERNWICK_LINKED_ENTRY(name) &::name,

const SdlLibrary* Sdl() {
    static const SdlLibrary library{LANTERNWICK_SDL_FUNCTIONS(LANTERNWICK_LINKED_ENTRY)};
    return &library;
}

const SndfileLibrary* Sndfile() {
    static const SndfileLibrary library{LANTERNWICK_SNDFILE_FUNCTIONS(LANTERNWICK_LINKED_ENTRY)};
    return &library;
}

#undef LANTERNWICK_LINKED_ENTRY
