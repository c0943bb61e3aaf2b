#pragma once

#include <SDL.h>
#include <sndfile.h>

// The functions of SDL and libsndfile that the media-control service calls,
// gathered in two tables so that the rest of mci/ names them in one way.
// Both libraries are linked into the program: the system's package manager
// then knows the player needs them, and a missing one is reported when the
// program starts instead of making it silent without a word.
//
// Each list below is the only place a function is named: it makes both the
// member of the table and the entry that fills it.

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

// Never nullptr. Without a sound device SDL still loads; opening the device
// fails then, and the game goes on silently.
const SdlLibrary* Sdl();
const SndfileLibrary* Sndfile();
