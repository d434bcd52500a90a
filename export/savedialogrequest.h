#pragma once

#include <string>
#include <string_view>

namespace zv {

// The arithmetic of the file-save dialog, apart from the dialog itself. A dialog filter is a
// list of description-and-pattern pairs, each part ended by a NUL, the list by a second NUL.

inline constexpr int kSaveFlagConfirmOverwrite = 0x2;
inline constexpr int kSaveFlagHideReadOnly = 0x4;
// Bits a caller may not pass on: the dialog's hook and template switches.
inline constexpr int kSaveFlagsDropped = 0x20 | 0x40;

// The flags the dialog is shown with: confirm overwriting when asked, always hide the
// read-only option, plus the caller's flags without the dropped bits.
int SaveDialogFlags(bool askOverwrite, int flags);

// A caller's filter as the dialog takes it: every ":" and "|" removed, two NULs appended.
std::string DialogFilter(std::string_view filter);

// text up to, not including, its first NUL.
std::string TrimAtNul(std::string_view text);

// The index-th pair (from 1) of a dialog filter: its description, a NUL and its pattern; empty
// when there is no such pair.
std::string FilterEntry(std::string_view filter, int index);

} // namespace zv
