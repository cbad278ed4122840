#pragma once
// Whitespace-separated reading of 8-bit text held in memory, with the number
// syntax of formatted stream extraction: a number is the longest prefix that
// fits the syntax, so "1.5-2.5" yields two numbers. Parsing never uses the
// global locale.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tf {

class WordStream {
 public:
  explicit WordStream(std::string_view text) : text_(text) {}

  // Next word, or empty at the end of the text. A word ends before white space
  // or a zero byte; a zero byte is passed over like white space.
  std::string_view ReadWord();

  // Each skips white space, then parses; false (and nothing consumed past the
  // white space) when no number starts there or it does not fit the type.
  bool ReadInt(int32_t& value);
  bool ReadFloat(float& value);
  bool ReadHex(uint32_t& value);  // hexadecimal, optional 0x prefix

  // Discards characters up to and including the next line feed, at most `limit`.
  void SkipLine(std::size_t limit = 256);

  // True once a read has tried to go past the end of the text.
  bool AtEnd() const { return hitEnd_; }
  bool Exhausted() const { return position_ >= text_.size(); }

  std::size_t Position() const { return position_; }
  void SetPosition(std::size_t position) { position_ = position; }
  // Position where the last word returned by ReadWord began.
  std::size_t LastWordStart() const { return lastWordStart_; }
  std::string_view Text() const { return text_; }

 private:
  void SkipSpace();
  template <typename T>
  bool ReadNumber(T& value, std::size_t (*length)(std::string_view),
                  bool (*parse)(std::string_view, T&));

  std::string_view text_;
  std::size_t position_ = 0;
  std::size_t lastWordStart_ = 0;
  bool hitEnd_ = false;
};

bool IsSpaceByte(char c);

// Length of the longest prefix of `text` that is a decimal number
// ([+-] digits [. digits] [e|E [+-] digits]); 0 when none.
std::size_t DecimalNumberLength(std::string_view text);

// Whole-text parses (the text must be exactly one number).
bool ParseInt(std::string_view text, int32_t& value);
bool ParseFloat(std::string_view text, float& value);

}  // namespace tf
