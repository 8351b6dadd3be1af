#pragma once

// The entry points of the tone-tip audio module (libzavprog-audio). Plain C
// so that the program loads it at run time, only when a tone tip is played,
// and so that nothing but ints and pointers crosses the boundary: the
// module needs no symbols from the program.

#ifdef __cplusplus
extern "C" {
#endif

/// Called exactly once per started note, from the Qt event loop.
typedef void (*ZavAudioDone)(void* ctx);

/// An output on the default audio device; nullptr when the machine has no
/// device that plays 16-bit mono. Needs a running Qt application.
typedef void* (*ZavAudioCreate)(void);
/// Sounds `hz` for `ms` milliseconds (hz <= 0: silence for ms), then calls
/// done(ctx). Not before the previous note's done has been called.
typedef void (*ZavAudioStart)(void* out, int hz, int ms, ZavAudioDone done, void* ctx);
/// Stops at once; done is never called after this.
typedef void (*ZavAudioDestroy)(void* out);

// Declared here so the module's definitions are checked against the
// pointer types above; the program only ever resolves them at run time.
// Their names are the module's exported C symbols, not C++ style.
// NOLINTBEGIN(readability-identifier-naming)
void* zav_audio_create(void);
void zav_audio_start(void* out, int hz, int ms, ZavAudioDone done, void* ctx);
void zav_audio_destroy(void* out);
// NOLINTEND(readability-identifier-naming)

#ifdef __cplusplus
}
#endif

#define ZAV_AUDIO_MODULE_NAME "zavprog-audio"
#define ZAV_AUDIO_CREATE_SYMBOL "zav_audio_create"
#define ZAV_AUDIO_START_SYMBOL "zav_audio_start"
#define ZAV_AUDIO_DESTROY_SYMBOL "zav_audio_destroy"
