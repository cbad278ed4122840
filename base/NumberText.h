#pragma once
// Numbers as text the way printf writes them in the C locale ("%d", "%.Nf"),
// never with the process locale, so a desktop language cannot turn "." into ",".

#include <cstdint>
#include <string>

namespace tf {

std::u16string IntegerText(int64_t value);

// "%.*f" for finite values; "inf", "-inf" and "nan" otherwise.
std::u16string DecimalText(double value, int decimals);

}  // namespace tf
