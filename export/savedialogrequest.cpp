#include "export/savedialogrequest.h"

#include <algorithm>

namespace zv {

int SaveDialogFlags(bool askOverwrite, int flags)
{
    return (askOverwrite ? kSaveFlagConfirmOverwrite : 0) | kSaveFlagHideReadOnly |
           (flags & ~kSaveFlagsDropped);
}

std::string DialogFilter(std::string_view filter)
{
    std::string sent;
    sent.reserve(filter.size() + 2);
    for (const char c : filter) {
        if (c != ':' && c != '|')
            sent += c;
    }
    sent.append(2, '\0');
    return sent;
}

std::string TrimAtNul(std::string_view text)
{
    return std::string(text.substr(0, text.find('\0')));
}

std::string FilterEntry(std::string_view filter, int index)
{
    size_t start = 0;
    // A pair starts with its description; the NUL that ends the list starts none.
    while (index >= 1 && start < filter.size() && filter[start] != '\0') {
        const size_t descriptionEnd = filter.find('\0', start);
        if (descriptionEnd == std::string_view::npos)
            return {};
        const size_t patternEnd = std::min(filter.find('\0', descriptionEnd + 1), filter.size());
        if (index == 1)
            return std::string(filter.substr(start, patternEnd - start));
        --index;
        start = patternEnd + 1;
    }
    return {};
}

} // namespace zv
