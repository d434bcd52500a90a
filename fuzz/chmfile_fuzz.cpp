// libFuzzer target: any file read as the help file, through chmlib in the reader's child
// process, then described as the help window would describe it. Slow per input (a fork each),
// so it runs with its own budget. Beyond not crashing or hanging, the reader must leave no
// child process and no open file behind.

#include "fuzz/fuzzcheck.h"
#include "helpviewer/chmarchive.h"
#include "helpviewer/chmreader.h"
#include "helpviewer/helpbook.h"

#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <pthread.h>
#include <sanitizer/common_interface_defs.h>
#include <string>
#include <unistd.h>
#include <utility>

namespace {

using zv::fuzz::Require;

// The file that holds each input in turn; removed when the fuzzer ends.
std::string g_path;
int g_file = -1;

void RemoveScratch()
{
    unlink(g_path.c_str());
}

// The reader's child is a copy of this process, libFuzzer's crash handlers included. chmlib
// failing in it is the damage the child exists to contain, not a finding: the child dies
// quietly, and the parent must make kDamaged of it.
void QuietChild()
{
    __sanitizer_set_death_callback(nullptr);
    struct sigaction fallback = {};
    fallback.sa_handler = SIG_DFL;
    for (const int signal : {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT})
        sigaction(signal, &fallback, nullptr);
    const int null = open("/dev/null", O_WRONLY);
    dup2(null, STDERR_FILENO);
    close(null);
}

void Prepare()
{
    pthread_atfork(nullptr, nullptr, QuietChild);
    const char *folder = std::getenv("TMPDIR");
    std::string pattern = std::string(folder && *folder ? folder : "/tmp") + "/zv-fuzz-XXXXXX";
    g_file = mkstemp(pattern.data());
    Require(g_file >= 0, "a scratch file can be made");
    g_path = pattern;
    std::atexit(RemoveScratch);
}

// Children of this process that are copies of it, running or not yet waited for: a reader
// child left behind. (The sanitizers' symbolizer is a child too, but another program.)
int ReaderChildren()
{
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe");
    int readers = 0;
    for (const auto &task : std::filesystem::directory_iterator("/proc/self/task")) {
        std::ifstream children(task.path() / "children");
        for (pid_t child; children >> child;) {
            std::error_code error;
            const auto exe =
                std::filesystem::read_symlink("/proc/" + std::to_string(child) + "/exe", error);
            // A child that has ended but was not waited for has no program any more.
            if (error || exe == self)
                ++readers;
        }
    }
    return readers;
}

// The lowest free descriptor: stays the same from input to input unless one leaks.
int LowestFreeDescriptor()
{
    const int fd = open("/dev/null", O_RDONLY | O_CLOEXEC);
    close(fd);
    return fd;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (g_file < 0)
        Prepare();
    static const int freeDescriptor = LowestFreeDescriptor();
    Require(ftruncate(g_file, 0) == 0 &&
                pwrite(g_file, data, size, 0) == static_cast<ssize_t>(size),
            "the input is written to the scratch file");

    zv::ChmArchive archive;
    const zv::ChmReadStatus status = zv::ReadChmFile(g_path, archive);
    Require(status != zv::ChmReadStatus::kCannotOpen, "an existing file is read");
    zv::DescribeHelpBook(std::move(archive), status, "win");

    Require(ReaderChildren() == 0, "no reader is left running or unwaited");
    Require(LowestFreeDescriptor() == freeDescriptor, "no descriptor is left open");
    return 0;
}
