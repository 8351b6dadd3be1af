#include "recovery_store.h"

#include "atomic_file.h"
#include "data_file.h"
#include "image_layout.h"
#include "side_info.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <filesystem>
#include <string_view>

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

/// The process id in "recovery-<1 to 9 digits>.dat", or -1 for any other
/// name. A plain scan: compiling a std::regex for this cost more than the
/// rest of the recovery check at every start.
long recoveryPid(std::string_view name)
{
    constexpr std::string_view kPrefix = "recovery-";
    constexpr std::string_view kSuffix = ".dat";
    if (name.size() < kPrefix.size() + kSuffix.size() || !name.starts_with(kPrefix) || !name.ends_with(kSuffix))
        return -1;
    const std::string_view digits = name.substr(kPrefix.size(), name.size() - kPrefix.size() - kSuffix.size());
    if (digits.empty() || digits.size() > 9 || digits.find_first_not_of("0123456789") != std::string_view::npos)
        return -1;
    long pid = 0;
    std::from_chars(digits.data(), digits.data() + digits.size(), pid);
    return pid;
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
    SideInfo info;
    if (!doc.isUntitled)
        info.document = doc.documentPath;
    return writeFileAtomically(path, writeFullImage(copy.saved)).ok() && writeSideInfo(path, info);
}

void removeRecovery(const std::string& path) { removeWithSideInfo(path); }

RecoveryFacts recoveryFacts(const std::string& path)
{
    RecoveryFacts facts;
    std::error_code ec;
    const fs::file_time_type written = fs::last_write_time(path, ec);
    if (!ec) {
        const auto system = std::chrono::file_clock::to_sys(written);
        facts.time = std::chrono::system_clock::to_time_t(
            std::chrono::time_point_cast<std::chrono::system_clock::duration>(system));
    }
    facts.document = readSideInfo(path).document;
    return facts;
}

std::vector<std::string> abandonedRecoveries(const std::string& folder)
{
    std::vector<std::pair<fs::file_time_type, std::string>> found;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        const long pid = recoveryPid(name);
        if (pid < 0 || !it->is_regular_file(ec))
            continue;
        if (processRunning(pid))
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
    const std::string source = readSideInfo(path).document;
    doc.working = restored.working;
    doc.documentPath = source.empty() ? std::string(kUntitledName) : source;
    doc.isUntitled = source.empty();
    return true;
}

} // namespace zav
