#pragma once

#include <QString>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace zv {

// The settings file holds a few short keys; a larger one is not the program's, and is not read.
inline constexpr qint64 kMaxSettingsBytes = 256 * 1024;

// The per-user settings file, the one QSettings("Zerovane", "Zerovane") would use, found
// without opening it (constructing a QSettings reads the file).
QString SettingsFilePath();

// The settings file as it is read once: only a regular file of at most kMaxSettingsBytes, opened
// without waiting, so that a pipe, a device or a huge file in its place neither holds nor ends
// the program. Every read of the settings goes through here; QSettings never opens the file.
// A missing file is an empty store. The text is INI as QSettings writes it: [group] lines, then
// key=value lines whose value may be quoted (to keep its blanks) and hold backslash escapes;
// lines that begin with ';' are comments; of a key given twice, the last counts.
class StoredSettings
{
public:
    // Reads the program's settings file.
    StoredSettings();
    explicit StoredSettings(const QString &path);

    // False when something stands at the path that could not be read; the store is then empty.
    bool readable() const { return m_failure.isEmpty(); }
    // Why it could not be read, naming the file; empty when it was read.
    const QString &failure() const { return m_failure; }

    // The value of key in [group], unquoted and unescaped; nothing when the key is absent.
    std::optional<std::string> Find(std::string_view group, std::string_view key) const;
    std::string Value(std::string_view group, std::string_view key,
                      std::string_view fallback) const;
    // The file's text as read, for the writer to change.
    const std::string &text() const { return m_text; }

private:
    QString m_failure;
    std::string m_text;
    std::map<std::pair<std::string, std::string>, std::string> m_values;
};

} // namespace zv
