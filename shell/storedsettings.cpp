#include "shell/storedsettings.h"

#include "shell/regularfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace zv {

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::string_view Trimmed(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// What QSettings makes of a value's text: blanks around it dropped, quotes taken off (what
// they hold keeps its blanks), backslash escapes decoded, and a ';' outside quotes begins a
// comment. Characters given by number are kept as UTF-8.
std::string UnescapedValue(std::string_view text)
{
    static constexpr std::string_view kEscapes = "a\ab\bf\fn\nr\rt\tv\v\"\"''??\\\\";
    std::string value;
    size_t kept = 0; // the length up to the last character that is no trailing blank
    bool quoted = false;
    text = Trimmed(text);
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '"') {
            quoted = !quoted;
            kept = value.size();
            continue;
        }
        if (c == ';' && !quoted)
            break;
        if (c != '\\' || i + 1 == text.size()) {
            value += c;
            if (quoted || !IsBlank(c))
                kept = value.size();
            continue;
        }
        const char next = text[++i];
        const size_t mapped = kEscapes.find(next);
        if (mapped != std::string_view::npos && mapped % 2 == 0) {
            value += kEscapes[mapped + 1];
        } else if (next == 'x' || (next >= '0' && next <= '7')) {
            const int base = next == 'x' ? 16 : 8;
            char32_t code = next == 'x' ? 0 : char32_t(next - '0');
            while (i + 1 < text.size() && HexDigit(text[i + 1]) >= 0 &&
                   HexDigit(text[i + 1]) < base && code < 0x110000)
                code = code * char32_t(base) + char32_t(HexDigit(text[++i]));
            value += QString::fromUcs4(&code, 1).toStdString();
        } else {
            value += next; // an unknown escape stands for its character
        }
        kept = value.size();
    }
    value.resize(kept);
    return value;
}

} // namespace

QString SettingsFilePath()
{
    // Where QSettings keeps an organisation's application settings on this platform.
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Zerovane/Zerovane.conf");
}

StoredSettings::StoredSettings()
    : StoredSettings(SettingsFilePath())
{
}

StoredSettings::StoredSettings(const QString &path)
{
    // A link that leads nowhere is no store either.
    if (!QFileInfo::exists(path))
        return;
    // One byte more than the bound tells whether the file goes on past it.
    QByteArray bytes;
    QString reason = ReadRegularFile(path, kMaxSettingsBytes + 1, bytes);
    if (reason.isEmpty() && bytes.size() > kMaxSettingsBytes)
        reason = QCoreApplication::translate("zv::StoredSettings", "It is larger than %1 KB.")
                     .arg(kMaxSettingsBytes / 1024);
    if (!reason.isEmpty()) {
        m_failure = QCoreApplication::translate("zv::StoredSettings",
                                                "The settings file %1 could not be read:\n%2")
                        .arg(QDir::toNativeSeparators(path), reason);
        return;
    }
    m_text = bytes.toStdString();

    std::string group;
    for (size_t start = 0; start < m_text.size();) {
        size_t end = m_text.find_first_of("\r\n", start);
        end = end == std::string::npos ? m_text.size() : end;
        const std::string_view line = Trimmed(std::string_view(m_text).substr(start, end - start));
        start = end + 1;
        if (line.starts_with('[')) {
            group = Trimmed(line.substr(1, line.find(']') - 1));
            continue;
        }
        const size_t equals = line.find('=');
        if (line.starts_with(';') || equals == std::string_view::npos)
            continue;
        m_values[{group, std::string(Trimmed(line.substr(0, equals)))}] =
            UnescapedValue(line.substr(equals + 1));
    }
}

std::optional<std::string> StoredSettings::Find(std::string_view group, std::string_view key) const
{
    const auto found = m_values.find({std::string(group), std::string(key)});
    if (found == m_values.end())
        return std::nullopt;
    return found->second;
}

std::string StoredSettings::Value(std::string_view group, std::string_view key,
                                  std::string_view fallback) const
{
    return Find(group, key).value_or(std::string(fallback));
}

} // namespace zv
