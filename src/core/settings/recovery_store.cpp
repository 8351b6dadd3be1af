#include "recovery_store.h"

#include "atomic_file.h"
#include "data_file.h"
#include "image_layout.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <regex>

#include <signal.h>

namespace zav {
namespace {

namespace fs = std::filesystem;

bool processRunning(long pid)
{
    if (pid <= 0)
        return false;
    // EPERM means the process exists but belongs to someone else.
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

} // namespace

std::string recoveryPath(const std::string& folder, long pid)
{
    return (fs::path(folder) / ("recovery-" + std::to_string(pid) + ".dat")).string();
}

bool writeRecovery(const std::string& path, const Document& doc)
{
    std::error_code ec;
    fs::create_directories(fs::path(path).parent_path(), ec);
    Document copy = doc;
    copy.copyWorkingToSaved();
    return writeFileAtomically(path, writeFullImage(copy.saved));
}

std::vector<std::string> abandonedRecoveries(const std::string& folder)
{
    static const std::regex kName(R"(^recovery-(\d{1,9})\.dat$)");
    std::vector<std::pair<fs::file_time_type, std::string>> found;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        std::smatch m;
        if (!it->is_regular_file(ec) || !std::regex_match(name, m, kName))
            continue;
        if (processRunning(std::stol(m[1])))
            continue;
        found.emplace_back(it->last_write_time(ec), it->path().string());
    }
    std::sort(found.begin(), found.end());
    std::vector<std::string> paths;
    for (auto& [time, path] : found)
        paths.push_back(path);
    return paths;
}

bool restoreRecovery(Document& doc, const std::string& path, const VersionRecords& versions)
{
    Document restored = doc;
    if (openDocument(restored, path, versions).outcome != OpenOutcome::Opened)
        return false;
    doc.working = restored.working;
    doc.documentPath = kUntitledName;
    doc.isUntitled = true;
    return true;
}

} // namespace zav
