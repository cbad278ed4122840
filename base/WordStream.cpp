#include "base/WordStream.h"

#include <charconv>

namespace tf {

namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

bool IsHexDigit(char c) {
  return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

std::size_t DigitRun(std::string_view text, std::size_t at) {
  std::size_t end = at;
  while (end < text.size() && IsDigit(text[end])) ++end;
  return end - at;
}

std::size_t IntegerLength(std::string_view text) {
  std::size_t at = (!text.empty() && (text[0] == '+' || text[0] == '-')) ? 1 : 0;
  std::size_t digits = DigitRun(text, at);
  return digits == 0 ? 0 : at + digits;
}

}  // namespace

bool IsSpaceByte(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

std::size_t DecimalNumberLength(std::string_view text) {
  std::size_t at = (!text.empty() && (text[0] == '+' || text[0] == '-')) ? 1 : 0;
  std::size_t whole = DigitRun(text, at);
  at += whole;
  std::size_t fraction = 0;
  if (at < text.size() && text[at] == '.') {
    fraction = DigitRun(text, at + 1);
    if (whole + fraction > 0) at += 1 + fraction;
  }
  if (whole + fraction == 0) return 0;
  if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
    std::size_t exponent = at + 1;
    if (exponent < text.size() && (text[exponent] == '+' || text[exponent] == '-')) ++exponent;
    std::size_t digits = DigitRun(text, exponent);
    if (digits > 0) at = exponent + digits;
  }
  return at;
}

bool ParseInt(std::string_view text, int32_t& value) {
  if (text.empty() || IntegerLength(text) != text.size()) return false;
  if (text[0] == '+') text.remove_prefix(1);
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size();
}

bool ParseFloat(std::string_view text, float& value) {
  if (text.empty() || DecimalNumberLength(text) != text.size()) return false;
  if (text[0] == '+') text.remove_prefix(1);
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size();
}

void WordStream::SkipSpace() {
  while (position_ < text_.size() && (IsSpaceByte(text_[position_]) || text_[position_] == 0))
    ++position_;
  if (position_ >= text_.size()) hitEnd_ = true;
}

std::string_view WordStream::ReadWord() {
  SkipSpace();
  std::size_t start = position_;
  lastWordStart_ = start;
  while (position_ < text_.size() && !IsSpaceByte(text_[position_]) && text_[position_] != 0)
    ++position_;
  if (position_ >= text_.size()) hitEnd_ = true;
  return text_.substr(start, position_ - start);
}

namespace {

std::size_t HexLength(std::string_view text) {
  std::size_t at = 0;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X') &&
      IsHexDigit(text[2]))
    at = 2;
  std::size_t end = at;
  while (end < text.size() && IsHexDigit(text[end])) ++end;
  return end == at ? 0 : end;
}

bool ParseHex(std::string_view text, uint32_t& value) {
  if (text.size() > 2 && (text[1] == 'x' || text[1] == 'X')) text.remove_prefix(2);
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
  return error == std::errc() && end == text.data() + text.size();
}

}  // namespace

template <typename T>
bool WordStream::ReadNumber(T& value, std::size_t (*length)(std::string_view),
                            bool (*parse)(std::string_view, T&)) {
  SkipSpace();
  std::string_view rest = text_.substr(position_);
  std::size_t size = length(rest);
  if (size == 0 || !parse(rest.substr(0, size), value)) return false;
  position_ += size;
  if (position_ >= text_.size()) hitEnd_ = true;
  return true;
}

bool WordStream::ReadInt(int32_t& value) {
  return ReadNumber(value, IntegerLength, ParseInt);
}

bool WordStream::ReadFloat(float& value) {
  return ReadNumber(value, DecimalNumberLength, ParseFloat);
}

bool WordStream::ReadHex(uint32_t& value) {
  return ReadNumber(value, HexLength, ParseHex);
}

void WordStream::SkipLine(std::size_t limit) {
  for (std::size_t skipped = 0; skipped < limit; ++skipped) {
    if (position_ >= text_.size()) {
      hitEnd_ = true;
      return;
    }
    if (text_[position_++] == '\n') return;
  }
}

}  // namespace tf
