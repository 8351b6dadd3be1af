#include "pseudo_terminal.h"

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace zav::sim {

PseudoTerminal::~PseudoTerminal()
{
    if (!linkName_.empty())
        ::unlink(linkName_.c_str());
    if (keeper_ >= 0)
        ::close(keeper_);
    if (master_ >= 0)
        ::close(master_);
}

bool PseudoTerminal::open(const std::string& linkName)
{
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0) {
        std::perror("zavprog-radio-sim: pseudo-terminal");
        return false;
    }
    const char* terminalName = ::ptsname(master_);
    if (!terminalName) {
        std::perror("zavprog-radio-sim: ptsname");
        return false;
    }
    terminalPath_ = terminalName;
    // Keep a descriptor of our own on the terminal side, so the master never
    // sees a hang-up between two transfers, and make the line raw: no echo,
    // no character translation.
    keeper_ = ::open(terminalPath_.c_str(), O_RDWR | O_NOCTTY);
    if (keeper_ >= 0) {
        termios t{};
        if (::tcgetattr(keeper_, &t) == 0) {
            ::cfmakeraw(&t);
            ::cfsetispeed(&t, B9600);
            ::cfsetospeed(&t, B9600);
            ::tcsetattr(keeper_, TCSANOW, &t);
        }
    }
    ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);

    if (!linkName.empty()) {
        ::unlink(linkName.c_str());
        if (::symlink(terminalPath_.c_str(), linkName.c_str()) != 0) {
            std::perror("zavprog-radio-sim: --link");
            return false;
        }
        linkName_ = linkName;
    }
    return true;
}

} // namespace zav::sim
