#include "atomic_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
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

/// What kind of thing other than a regular file st describes.
FileWriteProblem kindProblem(const struct stat& st)
{
    if (S_ISDIR(st.st_mode))
        return FileWriteProblem::Folder;
    if (S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode))
        return FileWriteProblem::Device;
    if (S_ISFIFO(st.st_mode) || S_ISSOCK(st.st_mode))
        return FileWriteProblem::Pipe;
    return S_ISREG(st.st_mode) ? FileWriteProblem::None : FileWriteProblem::Failed;
}

/// A file without any write permission bit is read-only for everyone,
/// root included, whom access() would let through; otherwise it is
/// read-only when this user may not write it or its file system is.
bool isReadOnly(const fs::path& file, const struct stat& st)
{
    if ((st.st_mode & 0222) == 0)
        return true;
    return ::access(file.c_str(), W_OK) != 0 && (errno == EACCES || errno == EPERM || errno == EROFS);
}

FileWriteResult failure(int error) { return {FileWriteProblem::Failed, error}; }

/// The target of path after its links, checked: previous is filled in
/// (and exists set) when there is a file there already.
FileWriteResult checkTarget(const std::string& path, fs::path& target, struct stat& previous, bool& exists)
{
    const auto resolved = resolveLinks(path);
    if (!resolved)
        return failure(errno != 0 ? errno : ELOOP);
    target = *resolved;
    exists = ::stat(target.c_str(), &previous) == 0;
    if (!exists)
        return errno == ENOENT ? FileWriteResult{} : failure(errno);
    if (const FileWriteProblem kind = kindProblem(previous); kind != FileWriteProblem::None)
        return {kind, 0};
    if (isReadOnly(target, previous))
        return {FileWriteProblem::ReadOnly, 0};
    return {};
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

/// Writes all of data; on failure written holds how much got through.
bool writeAll(int fd, const char* data, std::size_t size, std::size_t& written)
{
    written = 0;
    while (written < size) {
        const ssize_t n = ::write(fd, data + written, size - written);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        if (n == 0) {
            errno = ENOSPC;
            return false;
        }
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

std::string fileWriteProblemText(const FileWriteResult& result)
{
    switch (result.problem) {
    case FileWriteProblem::None: return {};
    case FileWriteProblem::Folder: return "is a folder, not a file";
    case FileWriteProblem::Device: return "is a device, not a file";
    case FileWriteProblem::Pipe: return "is a pipe, not a file";
    case FileWriteProblem::ReadOnly: return "is read-only";
    case FileWriteProblem::Failed: break;
    }
    return result.systemError != 0 ? std::strerror(result.systemError) : "cannot be written";
}

FileWriteResult checkOutputTarget(const std::string& path)
{
    fs::path target;
    struct stat previous {};
    bool exists = false;
    return checkTarget(path, target, previous, exists);
}

FileWriteResult writeFileAtomically(const std::string& path, const std::vector<std::uint8_t>& data)
{
    fs::path target;
    struct stat previous {};
    bool exists = false;
    if (const FileWriteResult checked = checkTarget(path, target, previous, exists); !checked)
        return checked;

    std::string temp;
    const int fd = createTemporary(target, temp);
    if (fd < 0)
        return failure(errno);
    int error = 0;
    std::size_t written = 0;
    bool ok = writeAll(fd, reinterpret_cast<const char*>(data.data()), data.size(), written);
    if (ok && exists)
        ok = keepAttributes(fd, previous);
    if (ok && ::fsync(fd) != 0)
        ok = false;
    if (!ok)
        error = errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (ok && std::rename(temp.c_str(), target.c_str()) != 0) {
        ok = false;
        error = errno;
    }
    if (!ok) {
        std::remove(temp.c_str());
        return failure(error);
    }
    return {};
}

FileWriteResult checkReplaceFile(const std::string& path)
{
    fs::path target;
    struct stat previous {};
    bool exists = false;
    if (const FileWriteResult checked = checkTarget(path, target, previous, exists); !checked)
        return checked;
    // The temporary file is created in the target's folder and renamed there.
    const fs::path folder = target.parent_path().empty() ? fs::path(".") : target.parent_path();
    if (::access(folder.c_str(), W_OK | X_OK) != 0)
        return failure(errno);
    return {};
}

bool canReplaceFile(const std::string& path) { return checkReplaceFile(path).ok(); }

// --- AppendFile -------------------------------------------------------------------

AppendFile::AppendFile(int fd, bool wasEmpty, bool needsLineEnd)
    : fd_(fd), wasEmpty_(wasEmpty), needsLineEnd_(needsLineEnd)
{
}

AppendFile::~AppendFile() { ::close(fd_); }

std::unique_ptr<AppendFile> AppendFile::open(const std::string& path, FileWriteResult& result)
{
    fs::path target;
    struct stat previous {};
    bool exists = false;
    result = checkTarget(path, target, previous, exists);
    if (!result)
        return nullptr;
    // O_NONBLOCK: should a pipe appear in the meantime, opening it fails
    // at once instead of waiting for a reader. Read access too, to see
    // whether the last line is whole; a write-only file does without.
    constexpr int kFlags = O_APPEND | O_CREAT | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
    int fd = ::open(target.c_str(), O_RDWR | kFlags, 0666);
    const bool readable = fd >= 0;
    if (fd < 0 && errno == EACCES)
        fd = ::open(target.c_str(), O_WRONLY | kFlags, 0666);
    if (fd < 0) {
        result = failure(errno);
        return nullptr;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || kindProblem(st) != FileWriteProblem::None) {
        result = {S_ISREG(st.st_mode) ? FileWriteProblem::Failed : kindProblem(st), 0};
        ::close(fd);
        return nullptr;
    }
    char last = '\n';
    if (readable && st.st_size > 0 && ::pread(fd, &last, 1, st.st_size - 1) != 1)
        last = '\n';
    return std::unique_ptr<AppendFile>(new AppendFile(fd, st.st_size == 0, last != '\n'));
}

FileWriteResult AppendFile::append(std::string_view record)
{
    std::string text;
    if (needsLineEnd_)
        text.push_back('\n');
    text.append(record);
    std::size_t written = 0;
    if (writeAll(fd_, text.data(), text.size(), written)) {
        needsLineEnd_ = !text.empty() && text.back() != '\n';
        return {};
    }
    const int error = errno;
    if (written > 0) {
        // With O_APPEND the offset is the end of what this write put there;
        // take it back unless someone else has appended after it meanwhile.
        const off_t end = ::lseek(fd_, 0, SEEK_CUR);
        struct stat st {};
        if (end >= static_cast<off_t>(written) && ::fstat(fd_, &st) == 0 && st.st_size == end)
            (void)!::ftruncate(fd_, end - static_cast<off_t>(written));
    }
    return failure(error);
}

FileWriteResult appendToFile(const std::string& path, std::string_view record, std::string_view header)
{
    FileWriteResult result;
    const std::unique_ptr<AppendFile> file = AppendFile::open(path, result);
    if (!file)
        return result;
    if (!file->wasEmpty() || header.empty())
        return file->append(record);
    // Header and first record in one write: a log never holds a header alone
    // because its first line did not fit.
    std::string text(header);
    text.append(record);
    return file->append(text);
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
