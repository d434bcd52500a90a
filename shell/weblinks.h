#pragma once

namespace zv {

// The two pages that Help, "Zerovane Online" and "Download" open in the user's browser. Kept in
// one place so a release only has to change them here.
inline constexpr const char *kHomePageAddress = "https://zerovane.example.org/";
inline constexpr const char *kDownloadPageAddress = "https://zerovane.example.org/download/";

} // namespace zv
