#pragma once

// Tone-tip sound through the audio module (libzavprog-audio), loaded with
// QLibrary the first time an output is made. Keeping Qt Multimedia out of
// the program's own links spares every start loading it, Qt Network and the
// sound server's client library just for a feature that may not be used.

#include "tone_player.h"

#include <QStringList>

#include <memory>
#include <optional>

namespace zav {

/// The module's entry points, resolved.
struct AudioModuleApi {
    void* (*create)() = nullptr;
    void (*start)(void* out, int hz, int ms, void (*done)(void* ctx), void* ctx) = nullptr;
    void (*destroy)(void* out) = nullptr;
};

/// Where the module is looked for, in order: the program's own folder, then
/// the folder named by ZAV_PROGRAM_DIR.
[[nodiscard]] QStringList audioModuleFolders();

/// The first module in `folders` that loads and has every entry point.
/// The module is never unloaded: outputs made from it may live to the end.
[[nodiscard]] std::optional<AudioModuleApi> loadAudioModule(const QStringList& folders);

/// An output on the default audio device through the module in `folders`;
/// nullptr when there is no usable module or no usable device.
[[nodiscard]] std::unique_ptr<NoteOutput> makeModuleNoteOutput(const QStringList& folders);

class ModuleNoteOutput : public NoteOutput {
    Q_OBJECT
public:
    /// Takes over `handle`, made by api.create().
    ModuleNoteOutput(const AudioModuleApi& api, void* handle);
    ~ModuleNoteOutput() override;

    void start(int hz, int ms) override;

private:
    static void noteDone(void* ctx);

    AudioModuleApi api_;
    void* handle_;
};

} // namespace zav
