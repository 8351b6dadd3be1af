#include "module_note_output.h"

#include "zav_audio_api.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>
#include <QtDebug>

namespace zav {

QStringList audioModuleFolders()
{
    QStringList folders;
    if (QCoreApplication::instance()) {
        folders << QCoreApplication::applicationDirPath();
        // An installed program in <prefix>/bin keeps the module in <prefix>/lib/zavprog.
        folders << QCoreApplication::applicationDirPath() + QStringLiteral("/../lib/zavprog");
    }
    const QString programDir = qEnvironmentVariable("ZAV_PROGRAM_DIR");
    if (!programDir.isEmpty() && !folders.contains(programDir))
        folders << programDir;
    return folders;
}

std::optional<AudioModuleApi> loadAudioModule(const QStringList& folders)
{
    for (const QString& folder : folders) {
        if (folder.isEmpty())
            continue;
        // QLibrary adds the platform's prefix and suffix (libzavprog-audio.so).
        // Loads are reference counted, so a second output costs nothing; the
        // QLibrary object going out of scope does not unload.
        QLibrary library(QDir(folder).filePath(QStringLiteral(ZAV_AUDIO_MODULE_NAME)));
        if (!library.load()) {
            qDebug().noquote() << "audio module not loaded:" << library.errorString();
            continue;
        }
        AudioModuleApi api;
        api.create = reinterpret_cast<ZavAudioCreate>(library.resolve(ZAV_AUDIO_CREATE_SYMBOL));
        api.start = reinterpret_cast<ZavAudioStart>(library.resolve(ZAV_AUDIO_START_SYMBOL));
        api.destroy = reinterpret_cast<ZavAudioDestroy>(library.resolve(ZAV_AUDIO_DESTROY_SYMBOL));
        if (api.create && api.start && api.destroy)
            return api;
        qDebug().noquote() << "audio module incomplete:" << library.fileName();
    }
    return std::nullopt;
}

std::unique_ptr<NoteOutput> makeModuleNoteOutput(const QStringList& folders)
{
    const std::optional<AudioModuleApi> api = loadAudioModule(folders);
    if (!api)
        return nullptr;
    void* handle = api->create();
    if (!handle)
        return nullptr;
    return std::make_unique<ModuleNoteOutput>(*api, handle);
}

ModuleNoteOutput::ModuleNoteOutput(const AudioModuleApi& api, void* handle) : api_(api), handle_(handle) {}

ModuleNoteOutput::~ModuleNoteOutput() { api_.destroy(handle_); }

void ModuleNoteOutput::start(int hz, int ms) { api_.start(handle_, hz, ms, &ModuleNoteOutput::noteDone, this); }

void ModuleNoteOutput::noteDone(void* ctx) { emit static_cast<ModuleNoteOutput*>(ctx)->finished(); }

} // namespace zav
