#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zv {

// What the "#SYSTEM" object of a compiled help file says about the whole file.
struct ChmSystem
{
    std::string contentsFile;  // the contents sitemap (.hhc)
    std::string indexFile;     // the index sitemap (.hhk)
    std::string defaultTopic;  // the page shown first
    std::string title;         // the file's title
    std::string defaultWindow; // the name of the window definition used by default
};

// A window definition of the "#WINDOWS" object: a named viewer window with its caption, its
// place on the screen and the files it shows.
struct ChmWindow
{
    std::string name;
    std::string caption;
    std::string contentsFile;
    std::string indexFile;
    std::string defaultFile;
    std::string homeFile;
    // The window's place in screen pixels, when the definition gives one.
    bool hasRect = false;
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    // The width of the contents and index pane, 0 when not given.
    int navigationWidth = 0;
};

// Both parsers take whatever bytes they are given: fields that are missing, cut or point
// outside their data are left empty.
ChmSystem ParseChmSystem(std::string_view system);
// windows is the "#WINDOWS" object; the definitions name their texts by offsets into strings,
// the "#STRINGS" object.
std::vector<ChmWindow> ParseChmWindows(std::string_view windows, std::string_view strings);

} // namespace zv
