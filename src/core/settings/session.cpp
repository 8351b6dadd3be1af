#include "session.h"

#include <filesystem>

namespace zav {

std::string AppPaths::languageFile(const std::string& name) const
{
    return (std::filesystem::path(programDir) / "language" / name).string();
}

std::vector<std::string> AppPaths::languageFolders() const
{
    return {(std::filesystem::path(programDir) / "language").string(), userLanguageDir};
}

std::string AppPaths::initDir() const { return (std::filesystem::path(programDir) / "Init").string(); }

std::string AppPaths::versionFile() const { return (std::filesystem::path(dataDir) / "Version.ini").string(); }

namespace {

/// Where an installed program keeps its files, relative to its own folder:
/// <prefix>/bin/zavprog reads <prefix>/share/zavprog/V300.
constexpr const char* kInstalledProgramFiles = "../share/zavprog/V300";

} // namespace

AppPaths AppPaths::forProgramDir(const std::string& programDir)
{
    namespace fs = std::filesystem;
    AppPaths paths;
    fs::path program = fs::path(programDir).lexically_normal();
    if (!program.has_filename())
        program = program.parent_path();
    // The build's layout keeps the files beside the programs; an installed
    // program finds them under share/.
    std::error_code ec;
    const fs::path installed = (program / kInstalledProgramFiles).lexically_normal();
    if (!fs::is_directory(program / "language", ec) && fs::is_directory(installed / "language", ec))
        program = installed;
    paths.programDir = program.string();
    paths.dataDir = program.parent_path().string();
    paths.settingsFile = (program.parent_path() / "language" / "mysetup.ini").string();
    return paths;
}

} // namespace zav
