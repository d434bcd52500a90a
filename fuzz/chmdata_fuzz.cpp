// libFuzzer target: the stream in which the help file's reader hands over its objects, decoded
// and described as the help window would describe it (system data, window definitions,
// contents and index); and the same bytes straight into the system and window parsers.

#include "fuzz/fuzzcheck.h"
#include "helpviewer/chmarchive.h"
#include "helpviewer/chmreader.h"
#include "helpviewer/chmsystem.h"
#include "helpviewer/helpbook.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

namespace {

using zv::fuzz::Require;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);

    zv::ChmArchive archive;
    const bool whole = zv::DecodeChmStream(bytes, archive);
    // Every object decoded was in the stream, framed as the encoder frames it.
    size_t framed = 0;
    for (const std::string &path : archive.Paths())
        framed += zv::EncodeChmObject(path, *archive.Find(path)).size();
    Require(framed <= size, "the objects fit in their stream");
    Require(!whole || bytes.ends_with(zv::EncodeChmEnd()), "a whole stream ends with its end mark");
    const zv::HelpBook book =
        zv::DescribeHelpBook(std::move(archive), zv::ChmReadStatus::kOk, "win");
    for (const auto *entries : {&book.contents, &book.index}) {
        for (const zv::SitemapEntry &entry : *entries)
            Require(entry.depth >= 0, "sitemap depths are not negative");
    }

    zv::ParseChmSystem(bytes);
    const size_t half = size / 2;
    for (const zv::ChmWindow &window :
         zv::ParseChmWindows(bytes.substr(0, half), bytes.substr(half)))
        Require(window.navigationWidth >= 0, "a pane width is not negative");
    return 0;
}
