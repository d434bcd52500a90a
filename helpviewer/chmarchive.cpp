#include "helpviewer/chmarchive.h"

#include <utility>

namespace zv {

namespace {

std::string Key(std::string_view path)
{
    std::string key(path);
    for (char &c : key) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return key;
}

} // namespace

void ChmArchive::Add(std::string_view path, std::string content)
{
    m_objects.insert_or_assign(Key(path), std::move(content));
}

const std::string *ChmArchive::Find(std::string_view path) const
{
    const auto it = m_objects.find(Key(path));
    return it == m_objects.end() ? nullptr : &it->second;
}

std::vector<std::string> ChmArchive::Paths() const
{
    std::vector<std::string> paths;
    paths.reserve(m_objects.size());
    for (const auto &object : m_objects)
        paths.push_back(object.first);
    return paths;
}

} // namespace zv
