#include "shell/settingsfile.h"

#include "export/atomicfile.h"
#include "shell/storedsettings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace zv {

namespace {

std::string_view Trimmed(std::string_view text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::string IniLine(const std::pair<std::string, std::string> &entry)
{
    const std::string &value = entry.second;
    const bool quoted = !value.empty() && (value.front() == ' ' || value.back() == ' ');
    return entry.first + '=' + (quoted ? '"' + value + '"' : value) + '\n';
}

} // namespace

std::string SetIniValues(std::string_view text, std::string_view group,
                         const SettingsValues &values)
{
    std::vector<bool> written(values.size(), false);
    std::string out;
    out.reserve(text.size() + 64 * values.size());
    bool inGroup = false;
    bool groupSeen = false;
    // Lines of the group's end that hold nothing: missing keys go before them.
    size_t groupContentEnd = std::string::npos;

    const auto addMissing = [&](size_t at) {
        std::string missing;
        for (size_t i = 0; i < values.size(); ++i) {
            if (!written[i])
                missing += IniLine(values[i]);
            written[i] = true;
        }
        out.insert(at, missing);
    };

    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        end = end == std::string_view::npos ? text.size() : end + 1;
        std::string_view line = text.substr(start, end - start);
        start = end;
        const std::string_view content = Trimmed(line.substr(0, line.find_last_not_of('\n') + 1));

        if (content.starts_with('[')) {
            if (inGroup)
                addMissing(groupContentEnd);
            inGroup = content == "[" + std::string(group) + "]";
            groupSeen = groupSeen || inGroup;
        } else if (inGroup) {
            const size_t equals = content.find('=');
            const std::string_view key =
                Trimmed(content.substr(0, std::min(equals, content.size())));
            const auto match = std::find_if(values.begin(), values.end(),
                                            [&](const auto &entry) { return entry.first == key; });
            if (equals != std::string_view::npos && match != values.end()) {
                const auto i = static_cast<size_t>(match - values.begin());
                // A key written twice by hand keeps only its first line.
                if (!written[i])
                    out += IniLine(*match);
                written[i] = true;
                groupContentEnd = out.size();
                continue;
            }
        }
        out += line;
        if (!line.ends_with('\n'))
            out += '\n';
        if (inGroup && !content.empty())
            groupContentEnd = out.size();
    }
    if (inGroup) {
        addMissing(groupContentEnd);
    } else if (!groupSeen) {
        if (!out.empty())
            out += '\n';
        out += "[" + std::string(group) + "]\n";
        addMissing(out.size());
    }
    return out;
}

QString StoreSettings(std::string_view group, const SettingsValues &values)
{
    const QString path = SettingsFilePath();
    // A file that cannot be read is not written over: whatever else it keeps would be lost.
    const StoredSettings stored(path);
    if (!stored.readable())
        return stored.failure();
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return QStringLiteral("The folder %1 cannot be made.")
            .arg(QDir::toNativeSeparators(QFileInfo(path).absolutePath()));
    return QString::fromStdString(WriteFileAtomically(QFile::encodeName(path).toStdString(),
                                                      SetIniValues(stored.text(), group, values)));
}

} // namespace zv
