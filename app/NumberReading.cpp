#include "app/NumberReading.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace tf {
namespace {

bool IsBlank(char16_t c) {
  return c == u' ' || (c >= u'\t' && c <= u'\r');
}

bool IsDigit(char16_t c) {
  return c >= u'0' && c <= u'9';
}

// Position after the leading blanks.
std::size_t SkipBlanks(std::u16string_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  return i;
}

std::size_t SkipDigits(std::u16string_view text, std::size_t i) {
  while (i < text.size() && IsDigit(text[i])) ++i;
  return i;
}

}  // namespace

std::optional<int32_t> ReadInteger(std::u16string_view text) {
  std::size_t i = SkipBlanks(text);
  bool negative = false;
  if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) negative = text[i++] == u'-';
  if (i >= text.size() || !IsDigit(text[i])) return std::nullopt;
  // Accumulated towards the sign, stopping at the end of the range.
  constexpr int64_t kLimit = int64_t{std::numeric_limits<int32_t>::max()} + 1;
  int64_t magnitude = 0;
  for (; i < text.size() && IsDigit(text[i]); ++i)
    magnitude = std::min(magnitude * 10 + (text[i] - u'0'), kLimit);
  if (negative) return static_cast<int32_t>(-magnitude);
  return static_cast<int32_t>(std::min(magnitude, kLimit - 1));
}

std::optional<double> ReadDecimal(std::u16string_view text) {
  const std::size_t start = SkipBlanks(text);
  std::size_t i = start;
  if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) ++i;
  const std::size_t integerEnd = SkipDigits(text, i);
  std::size_t end = integerEnd;
  bool digits = integerEnd > i;
  if (end < text.size() && text[end] == u'.') {
    const std::size_t fractionEnd = SkipDigits(text, end + 1);
    digits = digits || fractionEnd > end + 1;
    end = fractionEnd;
  }
  if (!digits) return std::nullopt;
  if (end < text.size() && (text[end] == u'e' || text[end] == u'E')) {
    std::size_t e = end + 1;
    if (e < text.size() && (text[e] == u'+' || text[e] == u'-')) ++e;
    const std::size_t exponentEnd = SkipDigits(text, e);
    if (exponentEnd > e) end = exponentEnd;
  }
  // The prefix is ASCII; from_chars takes no leading plus.
  std::string prefix;
  for (std::size_t k = start; k < end; ++k) {
    if (text[k] != u'+' || k != start) prefix.push_back(static_cast<char>(text[k]));
  }
  double value = 0;
  const auto [rest, error] = std::from_chars(prefix.data(), prefix.data() + prefix.size(), value);
  if (error != std::errc() || rest != prefix.data() + prefix.size()) return std::nullopt;
  if (!ToFloat(value)) return std::nullopt;
  return value;
}

std::optional<float> ToFloat(double value) {
  if (!std::isfinite(value) || std::fabs(value) > std::numeric_limits<float>::max())
    return std::nullopt;
  return static_cast<float>(value);
}

}  // namespace tf
