#pragma once

// The catalogue of project files a user may hand the program by mistake, tried at each of its
// doors (the Open command, the command line, the batch export).

#include "tests/support/hostilefiles.h"

#include <functional>
#include <string>
#include <vector>

namespace zv::test {

struct BadProject
{
    const char *name;
    // Creates the project in the folder; returns its path.
    std::function<fs::path(const fs::path &folder)> make;
    // The reader's message: 7 with the failure's description, 6 for an equation it refuses,
    // 0 when the project opens after all.
    int message;
    const char *failure = "";
    bool asNobody = false; // read as a user without root's rights
};

inline const std::string kGoodProject = "\"Zerovane\"\r\n\"x-1\"\r\n\" 0\"\r\n\" 3\"\r\n";

inline std::function<fs::path(const fs::path &)> ProjectFile(const char *name, std::string content)
{
    return [name, content](const fs::path &folder) {
        WriteBytes(folder / name, content);
        return folder / name;
    };
}

inline std::vector<BadProject> BadProjects()
{
    using namespace std::string_literals;
    std::string allBytes;
    for (int i = 0; i < 1024; ++i)
        allBytes += char(i % 256);
    std::string sumOfX;
    for (int i = 0; i < 160 * 1024; ++i)
        sumOfX += "x+";
    const char *const fewFields = "The file has fewer than four fields.";
    return {
        {"empty", ProjectFile("empty.zvn", ""), 7, fewFields},
        {"binary", ProjectFile("binary.zvn", allBytes), 6},
        {"NUL bytes only", ProjectFile("zeros.zvn", std::string(4096, '\0')), 7, fewFields},
        {"a NUL byte in the function",
         ProjectFile("nul.zvn", "\"Zerovane\"\r\n\"x-1\0+1\"\r\n\" 0\"\r\n\" 3\"\r\n"s), 6},
        // Only the first 320 KiB are written; the rest of the line is a hole.
        {"a 100 MB single line",
         [sumOfX](const fs::path &folder) {
             WriteSparse(folder / "huge.zvn", sumOfX, 100'000'000);
             return folder / "huge.zvn";
         },
         7, "The function has more than 32767 characters."},
        {"a missing closing quote",
         ProjectFile("quote.zvn", "\"Zerovane\"\r\n\"x-1\r\n\" 0\"\r\n\" 3\"\r\n"), 7, fewFields},
        {"three fields", ProjectFile("three.zvn", "\"Zerovane\"\r\n\"x-1\"\r\n\" 0\"\r\n"), 7,
         fewFields},
        {"an unknown marker",
         ProjectFile("marker.zvn", "\"Solver 2\"\r\n\"x-1\"\r\n\" 0\"\r\n\" 3\"\r\n"), 0},
        {"a directory",
         [](const fs::path &folder) {
             fs::create_directory(folder / "folder.zvn");
             return folder / "folder.zvn";
         },
         7, "Is a directory"},
        {"a named pipe without a writer",
         [](const fs::path &folder) {
             ::mkfifo((folder / "pipe.zvn").c_str(), 0644);
             return folder / "pipe.zvn";
         },
         7, "This is a pipe, a device or a socket, not a file."},
        {"no permission",
         [](const fs::path &folder) {
             WriteBytes(folder / "locked.zvn", kGoodProject);
             fs::permissions(folder / "locked.zvn", fs::perms::none);
             return folder / "locked.zvn";
         },
         7, "Permission denied", true},
        {"blanks and non-ASCII letters in the path",
         [](const fs::path &folder) {
             fs::create_directory(folder / "Proiecte și ecuații");
             WriteBytes(folder / "Proiecte și ecuații" / "ecuație ü.zvn", kGoodProject);
             return folder / "Proiecte și ecuații" / "ecuație ü.zvn";
         },
         0},
    };
}

} // namespace zv::test
