#include "engine/utf.h"

namespace zv {

namespace {

constexpr char32_t kReplacement = 0xFFFD;
// A byte b that is not part of valid UTF-8 travels as the lone surrogate U+DC00 + b.
constexpr char32_t kCarriedByteBase = 0xDC00;

void AppendUtf16(std::u16string &out, char32_t cp)
{
    if (cp < 0x10000) {
        out.push_back(static_cast<char16_t>(cp));
    } else {
        cp -= 0x10000;
        out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
        out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
    }
}

void AppendUtf8(std::string &out, char32_t cp)
{
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

// The UTF-8 sequence that starts at text[i]. Valid: its code point and length. Not valid: the
// length a reader skips, the whole sequence when only its value is wrong (overlong, a surrogate,
// beyond U+10FFFF), otherwise one byte.
struct Utf8Sequence
{
    char32_t cp = 0;
    size_t length = 1;
    bool valid = false;
};

Utf8Sequence ReadUtf8Sequence(std::string_view text, size_t i)
{
    const auto lead = static_cast<unsigned char>(text[i]);
    int extra = 0;
    char32_t cp = 0;
    char32_t minimum = 0;
    if (lead < 0x80)
        return {lead, 1, true};
    if ((lead & 0xE0) == 0xC0) {
        extra = 1, cp = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2, cp = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3, cp = lead & 0x07, minimum = 0x10000;
    } else {
        return {};
    }
    size_t j = i + 1;
    for (int k = 0; k < extra; ++k, ++j) {
        if (j >= text.size() || (static_cast<unsigned char>(text[j]) & 0xC0) != 0x80)
            return {};
        cp = (cp << 6) | (static_cast<unsigned char>(text[j]) & 0x3F);
    }
    const bool valid = cp >= minimum && cp <= 0x10FFFF && !(cp >= 0xD800 && cp <= 0xDFFF);
    return {cp, j - i, valid};
}

// keepBytes: a lone surrogate U+DC80..U+DCFF becomes the byte it carries; any other lone
// surrogate becomes U+FFFD.
std::string EncodeUtf8(std::u16string_view text, bool keepBytes)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t cp = text[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (keepBytes && cp >= kCarriedByteBase + 0x80 && cp <= kCarriedByteBase + 0xFF) {
            out.push_back(static_cast<char>(cp - kCarriedByteBase));
            continue;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = kReplacement; // a lone surrogate
        }
        AppendUtf8(out, cp);
    }
    return out;
}

} // namespace

std::u16string FromUtf8(std::string_view text)
{
    std::u16string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        const Utf8Sequence sequence = ReadUtf8Sequence(text, i);
        if (sequence.valid)
            AppendUtf16(out, sequence.cp);
        else
            out.push_back(static_cast<char16_t>(kReplacement));
        i += sequence.length;
    }
    return out;
}

std::u16string FromUtf8KeepingBytes(std::string_view bytes)
{
    std::u16string out;
    out.reserve(bytes.size());
    for (size_t i = 0; i < bytes.size();) {
        const Utf8Sequence sequence = ReadUtf8Sequence(bytes, i);
        if (sequence.valid) {
            AppendUtf16(out, sequence.cp);
            i += sequence.length;
        } else {
            // Byte by byte: each byte of an invalid sequence is carried on its own.
            out.push_back(
                static_cast<char16_t>(kCarriedByteBase + static_cast<unsigned char>(bytes[i])));
            ++i;
        }
    }
    return out;
}

std::string ToUtf8(std::u16string_view text)
{
    return EncodeUtf8(text, false);
}

std::string ToUtf8KeepingBytes(std::u16string_view text)
{
    return EncodeUtf8(text, true);
}

} // namespace zv
