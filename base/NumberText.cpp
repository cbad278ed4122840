#include "base/NumberText.h"

#include <charconv>
#include <cmath>
#include <string_view>

#include "base/FixedText.h"

namespace tf {

std::u16string IntegerText(int64_t value) {
  char buffer[24];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return FromLatin1(std::string_view(buffer, result.ptr - buffer));
}

std::u16string DecimalText(double value, int decimals) {
  if (std::isnan(value)) return u"nan";
  if (std::isinf(value)) return value < 0 ? u"-inf" : u"inf";
  char buffer[400];  // the largest double has 309 integer digits
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
  if (result.ec != std::errc()) return {};
  return FromLatin1(std::string_view(buffer, result.ptr - buffer));
}

}  // namespace tf
