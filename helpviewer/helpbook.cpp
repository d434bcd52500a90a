#include "helpviewer/helpbook.h"

#include "helpviewer/helptarget.h"

#include <utility>

namespace zv {

namespace {

std::string_view Object(const ChmArchive &archive, std::string_view path)
{
    const std::string *object = archive.Find(path);
    return object ? std::string_view(*object) : std::string_view();
}

std::string FirstOf(std::initializer_list<std::string_view> candidates)
{
    for (const std::string_view candidate : candidates) {
        if (!candidate.empty())
            return std::string(candidate);
    }
    return {};
}

bool EndsWith(std::string_view text, std::string_view suffix)
{
    return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

// The first object whose path ends in suffix (the archive's paths are in lower case).
std::string FirstWithSuffix(const ChmArchive &archive, std::string_view suffix)
{
    for (const std::string &path : archive.Paths()) {
        if (EndsWith(path, suffix))
            return path;
    }
    return {};
}

std::vector<SitemapEntry> Sitemap(const ChmArchive &archive, const std::string &file)
{
    if (file.empty())
        return {};
    return ParseSitemap(Object(archive, ResolveHelpTarget(file).path));
}

} // namespace

HelpBook DescribeHelpBook(ChmArchive archive, ChmReadStatus status, std::string_view windowName)
{
    HelpBook book;
    book.status = status;
    book.archive = std::move(archive);
    const ChmArchive &files = book.archive;

    const ChmSystem system = ParseChmSystem(Object(files, "/#SYSTEM"));
    const std::vector<ChmWindow> windows =
        ParseChmWindows(Object(files, "/#WINDOWS"), Object(files, "/#STRINGS"));
    const ChmWindow *chosen = nullptr;
    for (const std::string_view name : {windowName, std::string_view(system.defaultWindow)}) {
        for (const ChmWindow &window : windows) {
            if (chosen == nullptr && !name.empty() && window.name == name)
                chosen = &window;
        }
    }
    if (chosen == nullptr && !windows.empty())
        chosen = &windows.front();
    if (chosen != nullptr)
        book.window = *chosen;

    book.caption = FirstOf({book.window.caption, system.title});
    const std::string contentsFile =
        FirstOf({book.window.contentsFile, system.contentsFile, FirstWithSuffix(files, ".hhc")});
    const std::string indexFile =
        FirstOf({book.window.indexFile, system.indexFile, FirstWithSuffix(files, ".hhk")});
    book.contents = Sitemap(files, contentsFile);
    book.index = Sitemap(files, indexFile);

    std::string firstContentsPage;
    for (const SitemapEntry &entry : book.contents) {
        if (!entry.links.empty()) {
            firstContentsPage = entry.links.front().local;
            break;
        }
    }
    book.home = FirstOf(
        {book.window.homeFile, book.window.defaultFile, system.defaultTopic, firstContentsPage});
    return book;
}

HelpBook OpenHelpBook(const std::string &path, std::string_view windowName)
{
    ChmArchive archive;
    const ChmReadStatus status = ReadChmFile(path, archive);
    return DescribeHelpBook(std::move(archive), status, windowName);
}

} // namespace zv
