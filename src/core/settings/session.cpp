#include "session.h"

#include <filesystem>

namespace zav {

std::string AppPaths::languageFile(const std::string& name) const
{
    return (std::filesystem::path(programDir) / "language" / name).string();
}

std::string AppPaths::initDir() const { return (std::filesystem::path(programDir) / "Init").string(); }

std::string AppPaths::versionFile() const { return (std::filesystem::path(dataDir) / "Version.ini").string(); }

AppPaths AppPaths::forProgramDir(const std::string& programDir)
{
    namespace fs = std::filesystem;
    AppPaths paths;
    fs::path program = fs::path(programDir).lexically_normal();
    if (!program.has_filename())
        program = program.parent_path();
    paths.programDir = program.string();
    paths.dataDir = program.parent_path().string();
    paths.settingsFile = (program.parent_path() / "language" / "mysetup.ini").string();
    return paths;
}

} // namespace zav
