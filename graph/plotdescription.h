#pragma once

#include <string>

namespace zv {

class GraphDocument;

// What the plot shows, in words, for a screen reader: the equation, the interval and the
// vertical range on view, and the roots the list shows ("x^2-4 = 0 on [-3; 3], y from -3 to 3;
// roots -2 and 2"). Numbers as the window writes them, with separator; the roots' interval is
// named when the last search covered another one, and a stopped search is said.
std::u16string PlotDescription(const GraphDocument &document, char16_t separator);

} // namespace zv
