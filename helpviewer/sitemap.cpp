#include "helpviewer/sitemap.h"

#include <algorithm>
#include <cstdint>
#include <optional>

namespace zv {

namespace {

char Lower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (Lower(a[i]) != Lower(b[i]))
            return false;
    }
    return true;
}

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f';
}

void AppendUtf8(std::string &out, uint32_t code)
{
    if (code == 0 || code > 0x10ffff || (code >= 0xd800 && code <= 0xdfff))
        code = 0xfffd;
    if (code < 0x80) {
        out.push_back(static_cast<char>(code));
    } else if (code < 0x800) {
        out.push_back(static_cast<char>(0xc0 | (code >> 6)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3f)));
    } else if (code < 0x10000) {
        out.push_back(static_cast<char>(0xe0 | (code >> 12)));
        out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3f)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3f)));
    } else {
        out.push_back(static_cast<char>(0xf0 | (code >> 18)));
        out.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3f)));
        out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3f)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3f)));
    }
}

// The character that a reference such as "amp", "#38" or "#x26" names, if it names one.
std::optional<uint32_t> ReferencedCharacter(std::string_view name)
{
    struct Named
    {
        std::string_view name;
        uint32_t code;
    };
    static constexpr Named kNamed[] = {
        {"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'}, {"apos", '\''}, {"nbsp", 0xa0},
    };
    if (name.size() >= 2 && name[0] == '#') {
        const bool hex = name[1] == 'x' || name[1] == 'X';
        const std::string_view digits = name.substr(hex ? 2 : 1);
        if (digits.empty() || digits.size() > 8)
            return std::nullopt;
        uint32_t code = 0;
        for (const char c : digits) {
            int digit = -1;
            if (c >= '0' && c <= '9')
                digit = c - '0';
            else if (hex && Lower(c) >= 'a' && Lower(c) <= 'f')
                digit = Lower(c) - 'a' + 10;
            if (digit < 0)
                return std::nullopt;
            code = code * (hex ? 16 : 10) + static_cast<uint32_t>(digit);
        }
        return code;
    }
    for (const Named &entry : kNamed) {
        if (name == entry.name)
            return entry.code;
    }
    return std::nullopt;
}

std::string DecodeReferences(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    size_t pos = 0;
    while (pos < text.size()) {
        const size_t amp = text.find('&', pos);
        if (amp == std::string_view::npos) {
            out.append(text.substr(pos));
            break;
        }
        out.append(text.substr(pos, amp - pos));
        // A reference is short; a lone "&" stays as it is.
        const size_t semicolon = text.substr(amp, 12).find(';');
        std::optional<uint32_t> code;
        if (semicolon != std::string_view::npos)
            code = ReferencedCharacter(text.substr(amp + 1, semicolon - 1));
        if (code) {
            AppendUtf8(out, *code);
            pos = amp + semicolon + 1;
        } else {
            out.push_back('&');
            pos = amp + 1;
        }
    }
    return out;
}

struct Attribute
{
    std::string_view name;
    std::string_view value;
};

struct Tag
{
    std::string_view name; // without a leading "/"
    bool closing = false;
    std::vector<Attribute> attributes;
};

// Reads the tag whose "<" is at pos; pos ends after its ">" (or at the end of the text).
Tag ReadTag(std::string_view html, size_t &pos)
{
    Tag tag;
    ++pos;
    if (pos < html.size() && html[pos] == '/') {
        tag.closing = true;
        ++pos;
    }
    const size_t nameStart = pos;
    while (pos < html.size() && !IsSpace(html[pos]) && html[pos] != '>' && html[pos] != '/')
        ++pos;
    tag.name = html.substr(nameStart, pos - nameStart);
    while (pos < html.size() && html[pos] != '>') {
        if (IsSpace(html[pos]) || html[pos] == '/') {
            ++pos;
            continue;
        }
        const size_t attrStart = pos;
        while (pos < html.size() && !IsSpace(html[pos]) && html[pos] != '=' && html[pos] != '>')
            ++pos;
        Attribute attribute{html.substr(attrStart, pos - attrStart), {}};
        while (pos < html.size() && IsSpace(html[pos]))
            ++pos;
        if (pos < html.size() && html[pos] == '=') {
            ++pos;
            while (pos < html.size() && IsSpace(html[pos]))
                ++pos;
            if (pos < html.size() && (html[pos] == '"' || html[pos] == '\'')) {
                const char quote = html[pos++];
                const size_t end = std::min(html.find(quote, pos), html.size());
                attribute.value = html.substr(pos, end - pos);
                pos = std::min(end + 1, html.size());
            } else {
                const size_t valueStart = pos;
                while (pos < html.size() && !IsSpace(html[pos]) && html[pos] != '>')
                    ++pos;
                attribute.value = html.substr(valueStart, pos - valueStart);
            }
        }
        tag.attributes.push_back(attribute);
    }
    if (pos < html.size())
        ++pos; // the ">"
    return tag;
}

std::optional<std::string_view> AttributeOf(const Tag &tag, std::string_view name)
{
    for (const Attribute &attribute : tag.attributes) {
        if (EqualsIgnoringCase(attribute.name, name))
            return attribute.value;
    }
    return std::nullopt;
}

} // namespace

std::vector<SitemapEntry> ParseSitemap(std::string_view html)
{
    std::vector<SitemapEntry> entries;
    int listDepth = 0;
    std::optional<SitemapEntry> entry; // inside an <OBJECT type="text/sitemap">
    std::string pendingTitle;          // a Name after the entry's own, for the next Local
    size_t pos = 0;
    while (true) {
        pos = html.find('<', pos);
        if (pos == std::string_view::npos)
            break;
        if (html.substr(pos, 4) == "<!--") {
            const size_t end = html.find("-->", pos + 4);
            if (end == std::string_view::npos)
                break;
            pos = end + 3;
            continue;
        }
        const Tag tag = ReadTag(html, pos);
        if (EqualsIgnoringCase(tag.name, "ul")) {
            listDepth += tag.closing ? -1 : 1;
            if (listDepth < 0)
                listDepth = 0;
        } else if (EqualsIgnoringCase(tag.name, "object")) {
            if (tag.closing) {
                if (entry)
                    entries.push_back(std::move(*entry));
                entry.reset();
            } else {
                const auto type = AttributeOf(tag, "type");
                entry.reset();
                if (type && EqualsIgnoringCase(*type, "text/sitemap")) {
                    entry.emplace();
                    entry->depth = listDepth > 0 ? listDepth - 1 : 0;
                    pendingTitle.clear();
                }
            }
        } else if (entry && !tag.closing && EqualsIgnoringCase(tag.name, "param")) {
            const auto name = AttributeOf(tag, "name");
            const auto value = AttributeOf(tag, "value");
            if (!name || !value)
                continue;
            if (EqualsIgnoringCase(*name, "name")) {
                if (entry->name.empty())
                    entry->name = DecodeReferences(*value);
                else
                    pendingTitle = DecodeReferences(*value);
            } else if (EqualsIgnoringCase(*name, "local")) {
                entry->links.push_back({pendingTitle, DecodeReferences(*value)});
                pendingTitle.clear();
            }
        }
    }
    // An object left open at the end still counts.
    if (entry)
        entries.push_back(std::move(*entry));
    return entries;
}

} // namespace zv
