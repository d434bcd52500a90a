#include "export/fileattributes.h"

#include <cerrno>
#include <map>
#include <optional>
#include <string>
#include <sys/xattr.h>

namespace zv {

namespace {

using Attributes = std::map<std::string, std::string>;

// Asks for a list or a value with `get(buffer, size)`, growing the buffer while it is too
// small (another process may add to it between the two calls).
template<typename Get>
std::optional<std::string> Fetch(Get get)
{
    for (;;) {
        const ssize_t size = get(nullptr, 0);
        if (size <= 0) // a size of 0 would ask for the size again
            return size == 0 ? std::optional(std::string()) : std::nullopt;
        std::string buffer(static_cast<size_t>(size), '\0');
        const ssize_t got = get(buffer.data(), buffer.size());
        if (got >= 0) {
            buffer.resize(static_cast<size_t>(got));
            return buffer;
        }
        if (errno != ERANGE)
            return std::nullopt;
    }
}

std::optional<Attributes> ReadAttributes(int fd)
{
    const auto names =
        Fetch([fd](char *buffer, size_t size) { return ::flistxattr(fd, buffer, size); });
    if (!names)
        return errno == ENOTSUP ? std::optional(Attributes()) : std::nullopt;
    Attributes attributes;
    for (size_t at = 0; at < names->size();) {
        const std::string name = names->c_str() + at;
        at += name.size() + 1;
        const auto value = Fetch([fd, &name](char *buffer, size_t size) {
            return ::fgetxattr(fd, name.c_str(), buffer, size);
        });
        if (!value)
            return std::nullopt;
        attributes.emplace(name, *value);
    }
    return attributes;
}

} // namespace

bool CopyAttributes(int from, int to)
{
    const auto wanted = ReadAttributes(from), present = ReadAttributes(to);
    if (!wanted || !present)
        return false;
    for (const auto &[name, value] : *present) {
        if (!wanted->contains(name) && ::fremovexattr(to, name.c_str()) != 0)
            return false;
    }
    // What the new file already has right (a security label the system gave it) is not set
    // again, since setting it may need a right that keeping it does not.
    for (const auto &[name, value] : *wanted) {
        const auto there = present->find(name);
        if ((there == present->end() || there->second != value) &&
            ::fsetxattr(to, name.c_str(), value.data(), value.size(), 0) != 0) {
            return false;
        }
    }
    return true;
}

} // namespace zv
