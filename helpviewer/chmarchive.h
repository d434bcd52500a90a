#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace zv {

// The objects of a compiled help file held in memory: paths such as "/aprox.html" or
// "/#SYSTEM" with their bytes. Paths are compared without regard to case, as help files
// compare them.
class ChmArchive
{
public:
    // A later object of the same path replaces the earlier one.
    void Add(std::string_view path, std::string content);
    // The object's bytes, or nullptr when the archive has no such object.
    const std::string *Find(std::string_view path) const;
    // Every path, in lower case and sorted.
    std::vector<std::string> Paths() const;
    bool empty() const { return m_objects.empty(); }

private:
    std::map<std::string, std::string, std::less<>> m_objects;
};

} // namespace zv
