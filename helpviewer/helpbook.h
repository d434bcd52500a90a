#pragma once

#include "helpviewer/chmarchive.h"
#include "helpviewer/chmreader.h"
#include "helpviewer/chmsystem.h"
#include "helpviewer/sitemap.h"

#include <string>
#include <string_view>
#include <vector>

namespace zv {

// A compiled help file as the viewer shows it through one of its window definitions.
struct HelpBook
{
    ChmReadStatus status = ChmReadStatus::kCannotOpen;
    ChmArchive archive;
    ChmWindow window;    // the definition in use; its name is empty when the file has none
    std::string caption; // the definition's caption, else the file's title
    std::string home;    // the first page to show, as a link from the root; may be empty
    std::vector<SitemapEntry> contents;
    std::vector<SitemapEntry> index;
};

// Reads the help file at path and describes it for the window definition windowName.
HelpBook OpenHelpBook(const std::string &path, std::string_view windowName);

// The description of an archive already read. The definition is windowName's, else the file's
// default one, else the first; the contents, the index and the first page come from it, else
// from the file's system data, else from the first sitemap files found.
HelpBook DescribeHelpBook(ChmArchive archive, ChmReadStatus status, std::string_view windowName);

} // namespace zv
