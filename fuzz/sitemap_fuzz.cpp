// libFuzzer target: any text through the reader of the help file's contents and index.

#include "fuzz/fuzzcheck.h"
#include "helpviewer/sitemap.h"

#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::string_view html(reinterpret_cast<const char *>(data), size);
    for (const zv::SitemapEntry &entry : zv::ParseSitemap(html))
        zv::fuzz::Require(entry.depth >= 0 && static_cast<size_t>(entry.depth) < size,
                          "an entry stands inside the lists the text opens");
    return 0;
}
