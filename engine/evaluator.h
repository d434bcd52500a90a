#pragma once

#include <cstdint>
#include <string_view>

namespace zv {

// Prepares the one evaluation host (the compiled-program cache and the Res object with its
// constants). Evaluate also works before it is called; calling it again starts afresh.
void InitEvaluator();

// Value of a translated expression at x. code: 0 on success, 2..6 for a domain fault of a
// function (the value is then not to be used), 7 division by zero, 8 overflow, 9 any other
// failure (including any text outside the expression language); the value is 0 for 7..9.
// x is first rounded to 15 significant digits, as printing and reading it back would.
// The text is compiled once and cached, so passing the same text again costs no parse.
double Evaluate(std::u16string_view expression, double x, int16_t &code);

} // namespace zv
