#include "app/displayprobe.h"

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <string>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace zv {

namespace {

constexpr int kConnectTimeoutMs = 3000;
constexpr int kX11TcpPort = 6000;

// Connects fd to address within the timeout; a server that never answers counts as absent.
bool ConnectWithin(int fd, const sockaddr *address, socklen_t length)
{
    const int flags = ::fcntl(fd, F_GETFL);
    ::fcntl(fd, F_SETFL, flags | O_NONBLOCK);
    if (::connect(fd, address, length) == 0)
        return true;
    if (errno != EINPROGRESS)
        return false;
    pollfd wait{fd, POLLOUT, 0};
    if (::poll(&wait, 1, kConnectTimeoutMs) != 1)
        return false;
    int error = 0;
    socklen_t size = sizeof error;
    return ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &size) == 0 && error == 0;
}

bool LocalServerAnswers(const std::string &number)
{
    const std::string path = "/tmp/.X11-unix/X" + number;
    // The abstract socket first (what current X servers listen on), then the file.
    for (const bool abstract : {true, false}) {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (fd < 0)
            return false;
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const size_t offset = abstract ? 1 : 0;
        std::memcpy(address.sun_path + offset, path.data(),
                    std::min(path.size(), sizeof address.sun_path - offset - 1));
        const socklen_t length =
            static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + offset + path.size() + 1);
        const bool answered =
            ConnectWithin(fd, reinterpret_cast<const sockaddr *>(&address), length);
        ::close(fd);
        if (answered)
            return true;
    }
    return false;
}

bool TcpServerAnswers(const std::string &host, const std::string &number)
{
    const std::string port = std::to_string(kX11TcpPort + std::atoi(number.c_str()));
    addrinfo hints{};
    hints.ai_socktype = SOCK_STREAM;
    addrinfo *found = nullptr;
    if (::getaddrinfo(host.c_str(), port.c_str(), &hints, &found) != 0)
        return false;
    bool answered = false;
    for (addrinfo *entry = found; entry != nullptr && !answered; entry = entry->ai_next) {
        const int fd = ::socket(entry->ai_family, entry->ai_socktype | SOCK_CLOEXEC, 0);
        if (fd < 0)
            continue;
        answered = ConnectWithin(fd, entry->ai_addr, entry->ai_addrlen);
        ::close(fd);
    }
    ::freeaddrinfo(found);
    return answered;
}

// DISPLAY is [host]:number[.screen]; no host (or "unix") means this machine's socket.
bool XServerAnswers(const std::string &display)
{
    const size_t colon = display.rfind(':');
    if (colon == std::string::npos)
        return false;
    const std::string host = display.substr(0, colon);
    std::string number = display.substr(colon + 1);
    number = number.substr(0, number.find('.'));
    if (number.empty() || number.find_first_not_of("0123456789") != std::string::npos)
        return false;
    if (host.empty() || host == "unix")
        return LocalServerAnswers(number);
    return TcpServerAnswers(host, number);
}

std::string Environment(const char *name)
{
    const char *value = std::getenv(name);
    return value != nullptr ? value : "";
}

} // namespace

bool DisplayAvailable()
{
    const std::string platform = Environment("QT_QPA_PLATFORM");
    if (!platform.empty() && platform.rfind("xcb", 0) != 0)
        return true;
    if (platform.empty() && !Environment("WAYLAND_DISPLAY").empty())
        return true;
    const std::string display = Environment("DISPLAY");
    return !display.empty() && XServerAnswers(display);
}

} // namespace zv
