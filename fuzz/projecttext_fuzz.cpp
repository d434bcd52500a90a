// libFuzzer target: any file contents through the project reader, both as a whole file and as
// the first part of a longer one. The reader must name a status and never crash; what it
// accepts, the writer writes back so that it reads the same.

#include "engine/checkandtranslate.h"
#include "engine/numbertext.h"
#include "fuzz/fuzzcheck.h"
#include "shell/projecttext.h"

#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

using zv::fuzz::Require;

std::string Narrow(std::u16string_view text)
{
    std::string bytes;
    for (const char16_t c : text) {
        Require(c <= 0xff, "a project function holds only characters of its code page");
        bytes.push_back(static_cast<char>(c));
    }
    return bytes;
}

void CheckAccepted(const zv::ProjectText &project)
{
    Require(std::isfinite(project.a) && std::isfinite(project.b), "accepted ends are finite");
    Require(zv::CheckAndTranslate(project.function, true).code == 0,
            "an accepted function passes the checker");
    // What is saved again opens again, with the ends as the file wrote them; at 15 digits two
    // ends may meet, or grow beyond a width the double range holds, and are then refused.
    const std::string saved = zv::FormatProjectText(Narrow(project.function), project.a, project.b);
    const zv::ProjectText reopened = zv::ParseProjectText(saved, false);
    Require(reopened.status == zv::ProjectTextStatus::Ok ||
                reopened.status == zv::ProjectTextStatus::NoInterval ||
                reopened.status == zv::ProjectTextStatus::TooWide,
            "a saved project opens");
    Require(reopened.function == project.function, "the function survives a save");
    Require(zv::FormatFileNumber(reopened.a) == zv::FormatFileNumber(project.a) &&
                zv::FormatFileNumber(reopened.b) == zv::FormatFileNumber(project.b),
            "the ends survive a save");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::string_view content(reinterpret_cast<const char *>(data), size);

    zv::ProjectFields fields;
    size_t end = 0;
    if (zv::SplitProjectFields(content, fields, &end))
        Require(end <= content.size(), "the fields end inside the text");

    for (const bool cut : {false, true}) {
        const zv::ProjectText project = zv::ParseProjectText(content, cut);
        if (project.status == zv::ProjectTextStatus::Ok)
            CheckAccepted(project);
        if (cut)
            Require(project.status != zv::ProjectTextStatus::Ok || end < content.size(),
                    "a cut file is accepted only when its fields end before the cut");
    }
    return 0;
}
