// The text of a byte count as both lists show it: "1.234.567 Byte".
#pragma once

#include <cstdint>
#include <string>

namespace output {

// Digits grouped by threes with '.', then " Byte"; every 64-bit value,
// up to "18.446.744.073.709.551.615 Byte".
std::string FormatSize(std::uint64_t bytes);

// The same for a count held as two halves, low half first; replaces the
// previous contents of out (its capacity is reused, so painting a column
// does not allocate per cell).
void FormatSize(std::uint32_t low, std::uint32_t high, std::string& out);

}  // namespace output
