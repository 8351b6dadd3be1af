#include "user_folders.h"

#include <cstdlib>
#include <string_view>

namespace zav {
namespace {

constexpr std::string_view kProgramFolder = "zavprog";

std::string environment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

/// The XDG rules: a relative or empty value is ignored, the fallback lives
/// under HOME.
std::string baseFolder(const char* variable, std::string_view homeRelative)
{
    const std::string value = environment(variable);
    if (!value.empty() && value.front() == '/')
        return value;
    const std::string home = environment("HOME");
    if (home.empty())
        return {};
    return home + "/" + std::string(homeRelative);
}

std::string programFolderIn(const std::string& base)
{
    return base.empty() ? std::string() : base + "/" + std::string(kProgramFolder);
}

} // namespace

std::string userDataFolder() { return programFolderIn(baseFolder("XDG_DATA_HOME", ".local/share")); }

std::string userConfigFolder() { return programFolderIn(baseFolder("XDG_CONFIG_HOME", ".config")); }

std::string backupFolder()
{
    const std::string data = userDataFolder();
    return data.empty() ? std::string() : data + "/backups";
}

} // namespace zav
