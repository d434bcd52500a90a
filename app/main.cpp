// The launcher: answers --help and --version, and loads the batch export or the window program
// (see programparts.h). No Qt here, so that nothing is loaded before the part is chosen.
#include "app/inforequest.h"
#include "app/programparts.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>
#include <fontconfig/fontconfig.h>
#include <malloc.h>
#include <string>
#include <string_view>
#include <thread>
#include <unistd.h>

namespace {

constexpr int kFailureStatus = 1;

// Whether the arguments ask for an export without any window: the command line (the arguments
// after the program's name joined with one blank) begins with "-x " (minus, x, blank), or the
// first argument is "--batch" or "--export".
bool IsBatchCommand(int argc, char *argv[])
{
    if (argc < 2)
        return false;
    const std::string_view first = argv[1];
    return first == "--batch" || first == "--export" || first.starts_with("-x ") ||
           (first == "-x" && argc > 2);
}

// The folder of the running program, its links resolved.
std::string ProgramFolder()
{
    char path[4096];
    const ssize_t length = ::readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0)
        return ".";
    const std::string program(path, static_cast<size_t>(length));
    return program.substr(0, program.rfind('/'));
}

// The part's entry point: from the program's own folder (a build) or from where an install
// puts the parts. Says why on stderr when there is none.
void *LoadPart(const char *part, const char *entry)
{
    const std::string folder = ProgramFolder();
    for (const std::string &path :
         {folder + '/' + part, folder + "/" ZV_PARTS_FROM_PROGRAM "/" + part}) {
        if (::access(path.c_str(), F_OK) != 0)
            continue;
        void *module = ::dlopen(path.c_str(), RTLD_LAZY | RTLD_LOCAL);
        void *function = module != nullptr ? ::dlsym(module, entry) : nullptr;
        if (function == nullptr)
            std::fprintf(stderr, "zerovane: %s\n", ::dlerror());
        return function;
    }
    std::fprintf(stderr, "zerovane: %s is missing beside the program or in %s/%s\n", part,
                 folder.c_str(), ZV_PARTS_FROM_PROGRAM);
    return nullptr;
}

// Reading the font configuration (some fifty files) is the largest single cost of a batch
// export; it goes on here while the part and Qt are loaded.
std::thread g_fonts;

// The memory an export allocates once Qt is loaded (its font database, the picture, the
// bitmap, the encoder's buffers: some 1.5 MB), each page of which would otherwise be met for
// the first time, one fault at a time, on the way to the files.
constexpr size_t kExportHeapBytes = size_t{2} << 20;
constexpr size_t kPageBytes = 4096;

// Makes later allocations come from one heap that keeps what is freed, and touches that heap
// on the second thread while the first is still loading Qt.
void PrepareExportHeap()
{
    mallopt(M_ARENA_MAX, 1);
    mallopt(M_MMAP_THRESHOLD, static_cast<int>(4 * kExportHeapBytes));
    mallopt(M_TRIM_THRESHOLD, static_cast<int>(8 * kExportHeapBytes));
}

void WarmExportHeap()
{
    // volatile, or the compiler would drop stores that nothing reads.
    auto *bytes = static_cast<volatile char *>(std::malloc(kExportHeapBytes));
    if (bytes == nullptr)
        return;
    for (size_t at = 0; at < kExportHeapBytes; at += kPageBytes)
        bytes[at] = 0;
    std::free(const_cast<char *>(bytes));
}

void AwaitFonts()
{
    if (g_fonts.joinable())
        g_fonts.join();
}

} // namespace

int main(int argc, char *argv[])
{
    // A file-size limit must end a write with an error we report, not end the program.
    std::signal(SIGXFSZ, SIG_IGN);
    if (const std::optional<int> status = zv::AnswerInfoRequest(argc, argv))
        return *status;
    if (IsBatchCommand(argc, argv)) {
        PrepareExportHeap();
        g_fonts = std::thread([] {
            FcInit();
            WarmExportHeap();
        });
        const auto run =
            reinterpret_cast<zv::BatchPartEntry>(LoadPart(zv::kBatchPart, zv::kBatchEntry));
        const int status = run != nullptr ? run(argc, argv, AwaitFonts) : kFailureStatus;
        AwaitFonts();
        return status;
    }
    const auto run =
        reinterpret_cast<zv::WindowPartEntry>(LoadPart(zv::kWindowPart, zv::kWindowEntry));
    return run != nullptr ? run(argc, argv) : kFailureStatus;
}
