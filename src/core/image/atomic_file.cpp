#include "atomic_file.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zav {
namespace {

namespace fs = std::filesystem;

// The same bound on link chains as the kernel's own (ELOOP).
constexpr int kMaxLinkHops = 40;

/// The file a save to path really replaces: symbolic links are followed
/// (also one that names a file not yet there), so that the link itself
/// stays. Nothing when the chain is too long or cannot be read.
std::optional<fs::path> resolveLinks(const fs::path& path)
{
    fs::path current = path;
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        struct stat st {};
        if (::lstat(current.c_str(), &st) != 0)
            return errno == ENOENT ? std::optional<fs::path>(current) : std::nullopt;
        if (!S_ISLNK(st.st_mode))
            return current;
        std::error_code ec;
        const fs::path next = fs::read_symlink(current, ec);
        if (ec)
            return std::nullopt;
        current = next.is_absolute() ? next : current.parent_path() / next;
    }
    return std::nullopt;
}

/// Creates a new, empty temporary file beside target; -1 on failure.
int createTemporary(const fs::path& target, std::string& name)
{
    std::random_device rd;
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = target.string() + ".tmp" + std::to_string(rd() % 1000000);
        // New files get the usual 0666 less the umask, as any program's do.
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

bool writeAll(int fd, const std::vector<std::uint8_t>& data)
{
    std::size_t written = 0;
    while (written < data.size()) {
        const ssize_t n = ::write(fd, data.data() + written, data.size() - written);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        written += static_cast<std::size_t>(n);
    }
    return true;
}

/// The replaced file's permission bits, owner and group go over to its
/// successor. Owner and group are kept as far as this process may set them
/// (the group alone often is allowed when the owner is not).
bool keepAttributes(int fd, const struct stat& previous)
{
    if (::fchown(fd, previous.st_uid, previous.st_gid) != 0)
        (void)!::fchown(fd, static_cast<uid_t>(-1), previous.st_gid);
    return ::fchmod(fd, previous.st_mode & 07777) == 0;
}

} // namespace

bool writeFileAtomically(const std::string& path, const std::vector<std::uint8_t>& data)
{
    const auto target = resolveLinks(path);
    if (!target)
        return false;
    struct stat previous {};
    const bool exists = ::stat(target->c_str(), &previous) == 0;
    if (!exists && errno != ENOENT)
        return false;
    // Folders, devices, pipes and sockets are never replaced by a file.
    if (exists && !S_ISREG(previous.st_mode))
        return false;

    std::string temp;
    const int fd = createTemporary(*target, temp);
    if (fd < 0)
        return false;
    bool ok = writeAll(fd, data);
    if (ok && exists)
        ok = keepAttributes(fd, previous);
    if (ok && ::fsync(fd) != 0)
        ok = false;
    if (::close(fd) != 0)
        ok = false;
    if (ok && std::rename(temp.c_str(), target->c_str()) != 0)
        ok = false;
    if (!ok)
        std::remove(temp.c_str());
    return ok;
}

bool canReplaceFile(const std::string& path)
{
    const auto target = resolveLinks(path);
    if (!target)
        return false;
    struct stat st {};
    if (::stat(target->c_str(), &st) == 0 ? !S_ISREG(st.st_mode) : errno != ENOENT)
        return false;
    // The temporary file is created in the target's folder and renamed there.
    const fs::path folder = target->parent_path().empty() ? fs::path(".") : target->parent_path();
    return ::access(folder.c_str(), W_OK | X_OK) == 0;
}

std::optional<std::vector<std::uint8_t>> readFilePrefix(const std::string& path, std::size_t maxBytes)
{
    std::error_code ec;
    if (!fs::is_regular_file(path, ec))
        return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::vector<std::uint8_t> data(maxBytes);
    in.read(reinterpret_cast<char*>(data.data()), static_cast<std::streamsize>(maxBytes));
    if (in.bad())
        return std::nullopt;
    data.resize(static_cast<std::size_t>(in.gcount()));
    return data;
}

std::optional<std::vector<std::uint8_t>> readWholeFile(const std::string& path, std::size_t maxBytes)
{
    std::error_code ec;
    if (!fs::is_regular_file(path, ec))
        return std::nullopt;
    auto size = fs::file_size(path, ec);
    if (ec || size > maxBytes)
        return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::vector<std::uint8_t> data(static_cast<std::size_t>(size));
    if (size > 0 && !in.read(reinterpret_cast<char*>(data.data()), static_cast<std::streamsize>(size)))
        return std::nullopt;
    // Nothing may follow: a file that grew while reading is refused.
    if (in.peek() != std::ifstream::traits_type::eof())
        return std::nullopt;
    return data;
}

} // namespace zav
