#include "app/inforequest.h"

#include "texts/version.h"

#include <cstdio>
#include <filesystem>
#include <string_view>
#include <system_error>

namespace zv {

namespace {

const char *const kUsage =
    "Usage: zerovane [PROJECT.zvn]\n"
    "       zerovane -x PROJECT.zvn\n"
    "       zerovane --batch PROJECT.zvn...\n"
    "       zerovane --export PICTURE PROJECT.zvn\n"
    "Solves equations f(x) = 0 graphically.\n"
    "\n"
    "  PROJECT.zvn     open the project in a graph window (without one, the wizard starts)\n"
    "  -x PROJECT.zvn  save the project's graph as PROJECT.zvn.jpg and its roots as\n"
    "                  PROJECT.zvn.txt, without a display, and end\n"
    "  --batch PROJECT.zvn...\n"
    "                  the same for each project, in one run\n"
    "  --export PICTURE PROJECT.zvn\n"
    "                  save the graph as PICTURE (.jpg, .png, .svg or .pdf) and the roots\n"
    "                  as PICTURE.txt\n"
    "  --help          show this text\n"
    "  --version       show the version\n"
    "\n"
    "zerovane-cli solves equations in a terminal (zerovane-cli --help).\n";

} // namespace

std::optional<int> AnswerInfoRequest(int argc, char *argv[])
{
    if (argc != 2)
        return std::nullopt;
    const std::string_view argument = argv[1];
    std::error_code ignored;
    if ((argument != "--help" && argument != "--version") ||
        std::filesystem::exists(argv[1], ignored))
        return std::nullopt;
    if (argument == "--help")
        std::fputs(kUsage, stdout);
    else
        std::printf("zerovane %d.%d\n", kVersionMajor, kVersionMinor);
    return 0;
}

} // namespace zv
