#include "atomic_file.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <system_error>

#include <fcntl.h>
#include <unistd.h>

namespace zav {

bool writeFileAtomically(const std::string& path, const std::vector<std::uint8_t>& data)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    if (fs::is_directory(path, ec))
        return false;
    std::random_device rd;
    const std::string temp = path + ".tmp" + std::to_string(rd() % 1000000);
    int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    std::size_t written = 0;
    bool ok = true;
    while (written < data.size()) {
        ssize_t n = ::write(fd, data.data() + written, data.size() - written);
        if (n <= 0) {
            ok = false;
            break;
        }
        written += static_cast<std::size_t>(n);
    }
    if (ok && ::fsync(fd) != 0)
        ok = false;
    if (::close(fd) != 0)
        ok = false;
    if (ok && std::rename(temp.c_str(), path.c_str()) != 0)
        ok = false;
    if (!ok)
        std::remove(temp.c_str());
    return ok;
}

std::optional<std::vector<std::uint8_t>> readWholeFile(const std::string& path, std::size_t maxBytes)
{
    namespace fs = std::filesystem;
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
