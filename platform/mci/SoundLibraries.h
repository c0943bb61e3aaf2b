#pragma once

#include <SDL.h>
#include <sndfile.h>

// SDL and libsndfile are loaded when the first wave is opened, not when the
// program starts: together they bring some fifty further libraries, whose
// loading would hold back the title picture by a good ten milliseconds.
//
// Each list below is the only place a function is named: it makes both the
// member of the table and the name looked up in the library.

#define LANTERNWICK_SDL_FUNCTIONS(F) \
    F(SDL_SetHint)                   \
    F(SDL_InitSubSystem)             \
    F(SDL_QuitSubSystem)             \
    F(SDL_GetError)                  \
    F(SDL_GetCurrentAudioDriver)     \
    F(SDL_OpenAudioDevice)           \
    F(SDL_CloseAudioDevice)          \
    F(SDL_LockAudioDevice)           \
    F(SDL_UnlockAudioDevice)         \
    F(SDL_PauseAudioDevice)          \
    F(SDL_NewAudioStream)            \
    F(SDL_FreeAudioStream)           \
    F(SDL_AudioStreamPut)            \
    F(SDL_AudioStreamGet)            \
    F(SDL_AudioStreamAvailable)      \
    F(SDL_AudioStreamFlush)          \
    F(SDL_AudioStreamClear)

#define LANTERNWICK_SNDFILE_FUNCTIONS(F) \
    F(sf_open)                           \
    F(sf_close)                          \
    F(sf_seek)                           \
    F(sf_readf_float)

#define LANTERNWICK_LIBRARY_MEMBER(name) decltype(&::name) name;

struct SdlLibrary {
    LANTERNWICK_SDL_FUNCTIONS(LANTERNWICK_LIBRARY_MEMBER)
};

struct SndfileLibrary {
    LANTERNWICK_SNDFILE_FUNCTIONS(LANTERNWICK_LIBRARY_MEMBER)
};

#undef LANTERNWICK_LIBRARY_MEMBER

// The loaded library, or nullptr when it is not installed (then no wave plays,
// and the game goes on silently).
const SdlLibrary* Sdl();
const SndfileLibrary* Sndfile();
