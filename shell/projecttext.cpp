#include "shell/projecttext.h"

#include "engine/checkandtranslate.h"
#include "engine/numbertext.h"

#include <algorithm>
#include <cmath>

namespace zv {

namespace {

const char *const kMarker = "Zerovane";
const char *const kLineEnd = "\r\n";

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool IsSeparator(char c)
{
    return c == ',' || c == '\r' || c == '\n';
}

// Steps over one comma or one line end (CR LF, CR or LF).
void SkipSeparator(std::string_view content, size_t &pos)
{
    if (pos >= content.size())
        return;
    if (content[pos] == '\r') {
        ++pos;
        if (pos < content.size() && content[pos] == '\n')
            ++pos;
        return;
    }
    ++pos;
}

} // namespace

bool SplitProjectFields(std::string_view content, ProjectFields &fields, size_t *end)
{
    size_t pos = 0;
    for (std::string &field : fields) {
        while (pos < content.size() && IsBlank(content[pos]))
            ++pos;
        if (pos >= content.size())
            return false;
        if (content[pos] == '"') {
            const size_t close = std::min(content.find('"', pos + 1), content.size());
            field.assign(content.substr(pos + 1, close - pos - 1));
            pos = std::min(close + 1, content.size());
            // Anything between the closing quote and the separator is not part of the field.
            while (pos < content.size() && !IsSeparator(content[pos]))
                ++pos;
        } else {
            const size_t start = pos;
            while (pos < content.size() && !IsSeparator(content[pos]))
                ++pos;
            field.assign(content.substr(start, pos - start));
        }
        SkipSeparator(content, pos);
    }
    if (end != nullptr)
        *end = pos;
    return true;
}

double ReadProjectNumber(std::string_view text)
{
    std::u16string number(text.begin(), text.end());
    std::replace(number.begin(), number.end(), u',', u'.');
    return ReadLeadingNumber(number);
}

std::string FormatProjectText(std::string_view function, double a, double b)
{
    std::string text;
    for (const std::string &field :
         {std::string(kMarker), std::string(function), FormatFileNumber(a), FormatFileNumber(b)}) {
        text += '"';
        text += field;
        text += '"';
        text += kLineEnd;
    }
    return text;
}

ProjectText ParseProjectText(std::string_view content, bool cut)
{
    ProjectText result;
    ProjectFields fields;
    size_t end = 0;
    const bool complete = SplitProjectFields(content, fields, &end);
    if (cut && (!complete || end >= content.size())) {
        result.status = ProjectTextStatus::TooLong;
        return result;
    }
    if (!complete)
        return result;
    if (fields[1].size() > size_t(kMaxFunctionLength)) {
        result.status = ProjectTextStatus::TooLong;
        return result;
    }

    // The file's single-byte code page: each byte is the character of that number.
    std::u16string function;
    function.reserve(fields[1].size());
    for (const char c : fields[1])
        function.push_back(static_cast<unsigned char>(c));
    const CheckResult check = CheckAndTranslate(function, true);
    result.function = check.text;
    if (check.code != 0) {
        result.status = ProjectTextStatus::BadEquation;
        return result;
    }
    result.a = ReadProjectNumber(fields[2]);
    result.b = ReadProjectNumber(fields[3]);
    // A number beyond the double range is a failed read, not an infinite interval end.
    if (!std::isfinite(result.a) || !std::isfinite(result.b))
        result.status = ProjectTextStatus::Overflow;
    else if (!(result.a < result.b))
        result.status = ProjectTextStatus::NoInterval; // a window cannot show it
    else if (!std::isfinite(result.b - result.a))
        result.status = ProjectTextStatus::TooWide; // nor steps along it
    else
        result.status = ProjectTextStatus::Ok;
    return result;
}

} // namespace zv
