#pragma once

#include <string>

namespace zv {

inline constexpr int kMessageTextCount = 46;

// Stores the 46 interface texts; the first step of start-up.
void FillMessageTexts();

// The interface text at index 1..46 (UTF-8); an empty string for any other index.
const std::string &MessageText(int index);

} // namespace zv
