#pragma once

#include <QString>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zv {

using SettingsValues = std::vector<std::pair<std::string, std::string>>;

// The text of an INI settings file with each key of `values` set in [group]: the key's line
// replaced where it stands, a missing key added at the end of its group, a missing group added
// at the end. Every other line stays as it was. Values are stored quoted when a blank begins
// or ends them, as Qt's settings reader expects.
std::string SetIniValues(std::string_view text, std::string_view group,
                         const SettingsValues &values);

// Sets the values in the per-user settings file (SettingsFilePath) through the program's one
// file writer, so a failed write leaves the old file as it was. A file that cannot be read (see
// StoredSettings) is left as it is. Returns an empty string, or the description of the failure.
QString StoreSettings(std::string_view group, const SettingsValues &values);

} // namespace zv
