#pragma once

#include <SDL.h>
#include <sndfile.h>

// SDL and libsndfile are loaded when the first wave is opened, not when the
// program starts: together they bring some fifty further libraries, whose
// loading would hold back the title picture by a good ten milliseconds.

struct SdlLibrary {
    decltype(&::SDL_InitSubSystem) SDL_InitSubSystem;
    decltype(&::SDL_QuitSubSystem) SDL_QuitSubSystem;
    decltype(&::SDL_GetError) SDL_GetError;
    decltype(&::SDL_GetCurrentAudioDriver) SDL_GetCurrentAudioDriver;
    decltype(&::SDL_OpenAudioDevice) SDL_OpenAudioDevice;
    decltype(&::SDL_CloseAudioDevice) SDL_CloseAudioDevice;
    decltype(&::SDL_LockAudioDevice) SDL_LockAudioDevice;
    decltype(&::SDL_UnlockAudioDevice) SDL_UnlockAudioDevice;
    decltype(&::SDL_PauseAudioDevice) SDL_PauseAudioDevice;
    decltype(&::SDL_NewAudioStream) SDL_NewAudioStream;
    decltype(&::SDL_FreeAudioStream) SDL_FreeAudioStream;
    decltype(&::SDL_AudioStreamPut) SDL_AudioStreamPut;
    decltype(&::SDL_AudioStreamGet) SDL_AudioStreamGet;
    decltype(&::SDL_AudioStreamAvailable) SDL_AudioStreamAvailable;
    decltype(&::SDL_AudioStreamFlush) SDL_AudioStreamFlush;
    decltype(&::SDL_AudioStreamClear) SDL_AudioStreamClear;
};

struct SndfileLibrary {
    decltype(&::sf_open) sf_open;
    decltype(&::sf_close) sf_close;
    decltype(&::sf_seek) sf_seek;
    decltype(&::sf_readf_float) sf_readf_float;
};

// The loaded library, or nullptr when it is not installed (then no wave plays,
// and the game goes on silently).
const SdlLibrary* Sdl();
const SndfileLibrary* Sndfile();
