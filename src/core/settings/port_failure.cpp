#include "port_failure.h"

#include <cerrno>
#include <cstring>
#include <string_view>

#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zav {
namespace {

std::string groupName(gid_t gid)
{
    const struct group* g = ::getgrgid(gid);
    return g ? std::string(g->gr_name) : std::to_string(gid);
}

std::string userName(uid_t uid)
{
    const struct passwd* p = ::getpwuid(uid);
    return p ? std::string(p->pw_name) : std::to_string(uid);
}

/// Joining the device's group helps only when that group may read and
/// write it; root's group is never advice to give.
bool groupHelps(const struct stat& info)
{
    return info.st_gid != 0 && (info.st_mode & (S_IRGRP | S_IWGRP)) == (S_IRGRP | S_IWGRP);
}

std::string replaced(std::string text, std::string_view mark, const std::string& value)
{
    for (std::size_t at = text.find(mark); at != std::string::npos; at = text.find(mark, at + value.size()))
        text.replace(at, mark.size(), value);
    return text;
}

} // namespace

PortFailure diagnosePortFailure(const std::string& device, const std::vector<std::string>& present)
{
    PortFailure failure;
    failure.device = device;
    struct stat info {};
    if (::stat(device.c_str(), &info) != 0) {
        failure.kind = errno == ENOENT || errno == ENOTDIR ? PortFailure::Kind::Missing : PortFailure::Kind::Other;
        failure.reason = std::strerror(errno);
        failure.present = present;
        return failure;
    }
    // Serial ports are character devices; a file, a folder or a pipe named
    // as the port never is one.
    if (!S_ISCHR(info.st_mode)) {
        failure.kind = PortFailure::Kind::NotSerial;
        failure.reason = std::strerror(ENOTTY);
        return failure;
    }
    if (::access(device.c_str(), R_OK | W_OK) != 0) {
        failure.reason = std::strerror(errno);
        if (errno == EACCES) {
            failure.kind = PortFailure::Kind::PermissionDenied;
            if (groupHelps(info))
                failure.group = groupName(info.st_gid);
            failure.user = userName(::geteuid());
            failure.owner = userName(info.st_uid);
        }
        return failure;
    }
    // Allowed and present: try it the way the port does, to name the reason.
    const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        failure.kind = errno == EBUSY ? PortFailure::Kind::Busy : PortFailure::Kind::Other;
        failure.reason = std::strerror(errno);
        return failure;
    }
    // A character device that is no terminal (/dev/null, say) is no port.
    const bool terminal = ::isatty(fd) == 1;
    ::close(fd);
    if (!terminal) {
        failure.kind = PortFailure::Kind::NotSerial;
        failure.reason = std::strerror(ENOTTY);
        return failure;
    }
    // It opens now: another program held it (the port takes an exclusive lock).
    failure.kind = PortFailure::Kind::Busy;
    failure.reason = std::strerror(EBUSY);
    return failure;
}

std::string portFailureDetails(const PortFailure& failure, const TextCatalog& texts)
{
    std::string details = failure.device + ": " + failure.reason;
    switch (failure.kind) {
    case PortFailure::Kind::PermissionDenied:
        if (!failure.group.empty())
            details += "\r\n" + replaced(replaced(texts.text(kTextJoinGroup), "%1", failure.group), "%2", failure.user);
        else
            details += "\r\n" + replaced(replaced(texts.text(kTextOwnerOnly), "%1", failure.owner), "%2", failure.user);
        break;
    case PortFailure::Kind::Missing:
        if (failure.present.empty()) {
            details += "\r\n" + texts.text(kTextNoDevices);
        } else {
            details += "\r\n" + texts.text(kTextDevicesPresent);
            for (const std::string& device : failure.present)
                details += "\r\n  " + device;
        }
        break;
    case PortFailure::Kind::Busy:
        details += "\r\n" + texts.text(kTextDeviceBusy);
        break;
    case PortFailure::Kind::NotSerial:
        details += "\r\n" + texts.text(kTextNotSerial);
        break;
    case PortFailure::Kind::Other:
        break;
    }
    return details;
}

} // namespace zav
