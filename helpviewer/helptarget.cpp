#include "helpviewer/helptarget.h"

#include <algorithm>
#include <vector>

namespace zv {

namespace {

char Lower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix)
{
    if (text.size() < prefix.size())
        return false;
    for (size_t i = 0; i < prefix.size(); ++i) {
        if (Lower(text[i]) != Lower(prefix[i]))
            return false;
    }
    return true;
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    c = Lower(c);
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

std::string PercentDecoded(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size()) {
            const int high = HexDigit(text[i + 1]);
            const int low = HexDigit(text[i + 2]);
            if (high >= 0 && low >= 0) {
                out.push_back(static_cast<char>(high * 16 + low));
                i += 2;
                continue;
            }
        }
        out.push_back(text[i]);
    }
    return out;
}

// "/a/./b/../c.html" becomes "/a/c.html"; ".." at the root stays at the root.
std::string Normalized(std::string_view path)
{
    std::vector<std::string_view> segments;
    size_t pos = 0;
    while (pos <= path.size()) {
        const size_t slash = std::min(path.find('/', pos), path.size());
        const std::string_view segment = path.substr(pos, slash - pos);
        if (segment == "..") {
            if (!segments.empty())
                segments.pop_back();
        } else if (!segment.empty() && segment != ".") {
            segments.push_back(segment);
        }
        pos = slash + 1;
    }
    std::string out;
    for (const std::string_view segment : segments) {
        out.push_back('/');
        out.append(segment);
    }
    // A path that ended in a folder keeps its slash, so that it names no page.
    if (out.empty() || (!path.empty() && path.back() == '/'))
        out.push_back('/');
    return out;
}

} // namespace

bool IsExternalHelpLink(std::string_view link)
{
    for (const std::string_view scheme : {"http:", "https:", "mailto:", "ftp:"}) {
        if (StartsWithIgnoringCase(link, scheme))
            return true;
    }
    return false;
}

HelpTarget ResolveHelpTarget(std::string_view link, std::string_view basePage)
{
    // A link into a help file names the page after "::".
    if (StartsWithIgnoringCase(link, "ms-its:") || StartsWithIgnoringCase(link, "mk:@msitstore:") ||
        StartsWithIgnoringCase(link, "its:")) {
        const size_t separator = link.find("::");
        link =
            separator == std::string_view::npos ? std::string_view() : link.substr(separator + 2);
    }

    HelpTarget target;
    const size_t hash = link.find('#');
    if (hash != std::string_view::npos) {
        target.fragment = PercentDecoded(link.substr(hash + 1));
        link = link.substr(0, hash);
    }
    link = link.substr(0, link.find('?'));

    std::string path = PercentDecoded(link);
    for (char &c : path) {
        if (c == '\\')
            c = '/';
    }
    if (path.empty()) {
        target.path = Normalized(basePage);
        return target;
    }
    if (path.front() != '/') {
        const size_t folderEnd = basePage.rfind('/');
        const std::string_view folder = folderEnd == std::string_view::npos
                                            ? std::string_view()
                                            : basePage.substr(0, folderEnd);
        path = std::string(folder) + '/' + path;
    }
    target.path = Normalized(path);
    return target;
}

} // namespace zv
