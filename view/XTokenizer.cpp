#include "view/XTokenizer.h"

namespace tf {

namespace {

bool IsNameStart(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}
bool IsNamePart(char c) {
  return IsNameStart(c) || IsDigit(c) || c == '-' || c == '.';
}
bool IsNumberPart(char c) {
  return IsDigit(c) || c == '.' || c == 'e' || c == 'E' || c == '+' || c == '-';
}

}  // namespace

XToken XTokenizer::Next() {
  if (peeked_) {
    XToken token = *peeked_;
    peeked_.reset();
    return token;
  }
  return Scan();
}

const XToken& XTokenizer::Peek() {
  if (!peeked_) peeked_ = Scan();
  return *peeked_;
}

void XTokenizer::SkipSpaceAndComments() {
  while (pos_ < text_.size()) {
    const char c = text_[pos_];
    if (c == '\n') {
      ++line_;
      ++pos_;
    } else if (c == ' ' || c == '\t' || c == '\r' || c == ',' || c == ';') {
      ++pos_;
    } else if (c == '#' || (c == '/' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '/')) {
      while (pos_ < text_.size() && text_[pos_] != '\n') ++pos_;
    } else {
      return;
    }
  }
}

XToken XTokenizer::Scan() {
  SkipSpaceAndComments();
  if (pos_ >= text_.size()) return {XTokenKind::kEnd, {}, line_};
  const size_t start = pos_;
  const char c = text_[pos_];
  auto take = [&](XTokenKind kind, size_t from, size_t to) {
    return XToken{kind, text_.substr(from, to - from), line_};
  };
  if (c == '{' || c == '}') {
    ++pos_;
    return take(c == '{' ? XTokenKind::kOpenBrace : XTokenKind::kCloseBrace, start, pos_);
  }
  if (c == '"' || c == '<') {
    const char close = c == '"' ? '"' : '>';
    size_t end = start + 1;
    while (end < text_.size() && text_[end] != close && text_[end] != '\n') ++end;
    if (end >= text_.size() || text_[end] != close) {
      pos_ = end;
      return take(XTokenKind::kBad, start, end);
    }
    pos_ = end + 1;
    return take(c == '"' ? XTokenKind::kString : XTokenKind::kGuid, start + 1, end);
  }
  if (IsNameStart(c)) {
    while (pos_ < text_.size() && IsNamePart(text_[pos_])) ++pos_;
    return take(XTokenKind::kName, start, pos_);
  }
  if (IsNumberPart(c)) {
    while (pos_ < text_.size() && IsNumberPart(text_[pos_])) ++pos_;
    return take(XTokenKind::kNumber, start, pos_);
  }
  ++pos_;
  return take(XTokenKind::kBad, start, pos_);
}

}  // namespace tf
