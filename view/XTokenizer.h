#pragma once
// Splits the body of a text-format .x file into tokens. Commas and semicolons
// only separate values, so they are skipped; comments run from "//" or "#" to
// the end of the line.

#include <optional>
#include <string_view>

namespace tf {

enum class XTokenKind { kName, kNumber, kString, kGuid, kOpenBrace, kCloseBrace, kEnd, kBad };

struct XToken {
  XTokenKind kind;
  std::string_view text;  // strings without their quotes
  int line;
};

class XTokenizer {
 public:
  XTokenizer(std::string_view text, int firstLine) : text_(text), line_(firstLine) {}
  XToken Next();
  const XToken& Peek();

 private:
  XToken Scan();
  void SkipSpaceAndComments();

  std::string_view text_;
  size_t pos_ = 0;
  int line_;
  std::optional<XToken> peeked_;
};

}  // namespace tf
