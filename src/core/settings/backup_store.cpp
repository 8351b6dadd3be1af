#include "backup_store.h"

#include "atomic_file.h"
#include "fixed_text.h"
#include "image_layout.h"
#include "side_info.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <regex>

namespace zav {
namespace {

namespace fs = std::filesystem;

constexpr const char* kReadWord = "read";
constexpr const char* kWriteWord = "write";
constexpr const char* kRecoveryWord = "recovery";
constexpr const char* kBeforeWriteWord = "before-write";
/// A recovery file is a data file; anything much larger is not one.
constexpr std::size_t kMaxRecoveryBytes = 1024 * 1024;

const char* kindWord(BackupKind kind)
{
    switch (kind) {
    case BackupKind::Read: return kReadWord;
    case BackupKind::Write: return kWriteWord;
    case BackupKind::Recovery: return kRecoveryWord;
    case BackupKind::BeforeWrite: return kBeforeWriteWord;
    }
    return kReadWord;
}

BackupKind kindOfWord(const std::string& word)
{
    if (word == kWriteWord)
        return BackupKind::Write;
    if (word == kRecoveryWord)
        return BackupKind::Recovery;
    if (word == kBeforeWriteWord)
        return BackupKind::BeforeWrite;
    return BackupKind::Read;
}

std::string nameSafe(std::string text)
{
    for (char& c : text) {
        const bool safe = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
                          c == '.';
        if (!safe)
            c = '-';
    }
    return text.empty() ? std::string("-") : text;
}

std::string portName(const std::string& port)
{
    const std::string prefix = "/dev/";
    return port.rfind(prefix, 0) == 0 ? port.substr(prefix.size()) : port;
}

/// The model of a data file's 13-byte header: its first 7 bytes.
std::string headerModelOf(std::string_view header) { return cleanText(header.substr(0, 7)); }

/// The 13-byte header of a data file: model, band code, version.
void readHeader(const std::string& path, BackupEntry& entry)
{
    std::ifstream in(path, std::ios::binary);
    char header[13] = {};
    if (!in.read(header, sizeof header))
        return;
    entry.headerModel = headerModelOf(std::string_view(header, sizeof header));
    entry.headerBand = static_cast<unsigned char>(header[7]) | static_cast<unsigned char>(header[8]) << 8;
    entry.headerVersion = cleanText(std::string_view(header + 9, 4));
}

/// Writes bytes as backup `name` of folder (made when missing), with its
/// side file; a name already taken gets "_2", "_3", ... The path, or "".
std::string storeBackup(const std::string& folder, const std::string& name, const std::vector<std::uint8_t>& bytes,
                        const SideInfo& info)
{
    if (folder.empty())
        return {};
    std::error_code ec;
    fs::create_directories(folder, ec);
    const std::string stem = name.substr(0, name.size() - 4);
    fs::path path = fs::path(folder) / name;
    for (int n = 2; fs::exists(path, ec) && n < 1000; ++n)
        path = fs::path(folder) / (stem + "_" + std::to_string(n) + ".dat");
    // A stale side file of a removed backup must not describe this one.
    if (!writeSideInfo(path.string(), info) || !writeFileAtomically(path.string(), bytes)) {
        removeWithSideInfo(path.string());
        return {};
    }
    return path.string();
}

} // namespace

std::string backupFileName(std::time_t when, BackupKind kind, const std::string& model, const std::string& port)
{
    std::tm local{};
    localtime_r(&when, &local);
    char stamp[64];
    std::snprintf(stamp, sizeof stamp, "%04d-%02d-%02d_%02d-%02d-%02d", local.tm_year + 1900, local.tm_mon + 1,
                  local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
    return std::string(stamp) + "_" + kindWord(kind) + "_" +
           nameSafe(cleanText(model)) + "_" + nameSafe(portName(port)) + ".dat";
}

std::string writeBackup(const std::string& folder, const Document& doc, BackupKind kind, const std::string& port,
                        std::time_t when)
{
    // The file holds what a save would write, without touching the document.
    Document copy = doc;
    copy.copyWorkingToSaved();
    SideInfo info;
    info.device = port;
    if (!doc.isUntitled)
        info.document = doc.documentPath;
    return storeBackup(folder, backupFileName(when, kind, copy.model.modelName, port), writeFullImage(copy.saved),
                       info);
}

std::string keepRecoveryAsBackup(const std::string& folder, const std::string& recoveryFile, std::time_t when)
{
    const auto bytes = readWholeFile(recoveryFile, kMaxRecoveryBytes);
    if (!bytes)
        return {};
    const std::string_view header(reinterpret_cast<const char*>(bytes->data()),
                                  std::min<std::size_t>(bytes->size(), 13));
    const std::string name = backupFileName(when, BackupKind::Recovery, headerModelOf(header), "");
    const std::string path = storeBackup(folder, name, *bytes, readSideInfo(recoveryFile));
    if (!path.empty())
        removeWithSideInfo(recoveryFile);
    return path;
}

std::vector<BackupEntry> listBackups(const std::string& folder)
{
    static const std::regex kName(
        R"(^(\d{4})-(\d{2})-(\d{2})_(\d{2})-(\d{2})-(\d{2})_(read|write|recovery|before-write)_([A-Za-z0-9.-]+)_([A-Za-z0-9.-]+)(?:_\d+)?\.dat$)");
    std::vector<BackupEntry> entries;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        if (!it->is_regular_file(ec))
            continue;
        const std::string name = it->path().filename().string();
        std::smatch m;
        if (!std::regex_match(name, m, kName))
            continue;
        std::tm local{};
        local.tm_year = std::stoi(m[1]) - 1900;
        local.tm_mon = std::stoi(m[2]) - 1;
        local.tm_mday = std::stoi(m[3]);
        local.tm_hour = std::stoi(m[4]);
        local.tm_min = std::stoi(m[5]);
        local.tm_sec = std::stoi(m[6]);
        local.tm_isdst = -1;
        BackupEntry entry;
        entry.path = it->path().string();
        entry.time = std::mktime(&local);
        entry.kind = kindOfWord(m[7]);
        entry.model = m[8];
        const SideInfo info = readSideInfo(entry.path);
        // "-" stands for no port in the name (work kept after a crash).
        const std::string namedPort = m[9] == "-" ? std::string() : std::string(m[9]);
        entry.port = info.device.empty() ? namedPort : info.device;
        entry.document = info.document;
        readHeader(entry.path, entry);
        entries.push_back(std::move(entry));
    }
    // Newest first; the name breaks ties so the order is stable.
    std::sort(entries.begin(), entries.end(), [](const BackupEntry& a, const BackupEntry& b) {
        return a.time != b.time ? a.time > b.time : a.path > b.path;
    });
    return entries;
}

int pruneBackups(const std::string& folder, std::time_t now, int maxAgeDays)
{
    const std::vector<BackupEntry> entries = listBackups(folder);
    const std::time_t oldest = now - static_cast<std::time_t>(maxAgeDays) * 24 * 60 * 60;
    int removed = 0;
    for (std::size_t i = kBackupsAlwaysKept; i < entries.size(); ++i) {
        if (entries[i].time >= oldest)
            continue;
        if (removeWithSideInfo(entries[i].path))
            ++removed;
    }
    return removed;
}

} // namespace zav
