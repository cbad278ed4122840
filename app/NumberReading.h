#pragma once
// How the panels read numbers typed by the user: leading blanks are skipped
// and the longest valid prefix counts ("12abc" reads 12, " -1.5e2x" reads
// -150). Nothing is returned when no number can be read there, so the field
// keeps its value.

#include <cstdint>
#include <optional>
#include <string_view>

namespace tf {

// An optional sign and decimal digits. Values past the 32-bit range read as
// its nearest end.
std::optional<int32_t> ReadInteger(std::u16string_view text);

// An optional sign, digits with an optional fraction (at least one digit),
// and an optional exponent. Values a float cannot hold read as nothing.
std::optional<double> ReadDecimal(std::u16string_view text);

// The value as a float, or nothing when it is outside the float range.
std::optional<float> ToFloat(double value);

}  // namespace tf
