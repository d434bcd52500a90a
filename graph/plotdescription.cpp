#include "graph/plotdescription.h"

#include "engine/numbertext.h"
#include "graph/graphdocument.h"

namespace zv {

namespace {

constexpr int kDecimals = 6; // as the interval's ends on the status bar

// "r", "r1 and r2", "r1, r2 and r3"; with "; " between numbers that are written with commas.
std::u16string Listed(const std::vector<std::u16string> &items, char16_t separator)
{
    std::u16string text;
    for (size_t i = 0; i < items.size(); ++i) {
        if (i > 0)
            text += i + 1 == items.size() ? u" and " : separator == u',' ? u"; " : u", ";
        text += items[i];
    }
    return text;
}

} // namespace

std::u16string PlotDescription(const GraphDocument &document, char16_t separator)
{
    const auto number = [separator](double value) {
        return FormatRounded(value, kDecimals, separator);
    };
    const auto interval = [&number](double a, double b) {
        return u"[" + number(a) + u"; " + number(b) + u"]";
    };
    const ViewExtent &view = document.View();
    std::u16string text = document.Function() + u" = 0 on " + interval(view.a, view.b) +
                          u", y from " + number(view.yMin) + u" to " + number(view.yMax) + u"; ";

    const RootSearch &search = document.Roots();
    const std::u16string where =
        search.a == view.a && search.b == view.b ? u"" : u" on " + interval(search.a, search.b);
    if (search.failure != 0) {
        text += u"f has no value" + (where.empty() ? u" on the interval" : where);
    } else if (search.lines.empty()) {
        text += u"no root" + where;
    } else {
        text += (search.lines.size() == 1 ? u"root" : u"roots") + where +
                (where.empty() ? u" " : u": ") + Listed(search.lines, separator);
    }
    if (!search.complete)
        text += u" (search stopped)";
    return text;
}

} // namespace zv
