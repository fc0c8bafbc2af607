#pragma once

// Limits that keep every number and name the RTF reader hands on in a sane range.

#include "settings/CodePage.h"

#include <algorithm>
#include <cstddef>
#include <string>

namespace korvel::rtf::detail {

constexpr int kMaxLength = 31680; // 22 inches in twips
constexpr std::size_t kMaxNameLength = 256;
constexpr std::size_t kMaxInstructionLength = 2048;
constexpr std::size_t kMaxMarkerLength = 64;

inline int Clamp(int value, int low, int high) {
    return std::clamp(value, low, high);
}

// Appends `c` to `text` while `text` is shorter than `limit` bytes; the rest of
// an overlong name is dropped.
inline void AppendLimited(std::string& text, char32_t c, std::size_t limit) {
    if (text.size() < limit) {
        AppendUtf8(text, c);
    }
}

} // namespace korvel::rtf::detail
