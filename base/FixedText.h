#pragma once
// Fixed-capacity UTF-16 text buffers as the document stores them, and the
// conversions to and from the 8-bit files (one byte is one character).

#include <cstddef>
#include <string>
#include <string_view>

namespace tf {

// Copies up to capacity-1 characters of `bytes` (each byte one character) and
// terminates; longer text is cut, never overflowed.
template <std::size_t N>
void SetText(char16_t (&buffer)[N], std::string_view bytes) {
  std::size_t count = bytes.size() < N - 1 ? bytes.size() : N - 1;
  for (std::size_t i = 0; i < count; ++i) buffer[i] = static_cast<unsigned char>(bytes[i]);
  buffer[count] = 0;
}

template <std::size_t N>
void SetText(char16_t (&buffer)[N], std::u16string_view text) {
  std::size_t count = text.size() < N - 1 ? text.size() : N - 1;
  for (std::size_t i = 0; i < count; ++i) buffer[i] = text[i];
  buffer[count] = 0;
}

// Length up to the terminating zero, never past the buffer.
template <std::size_t N>
std::size_t TextLength(const char16_t (&buffer)[N]) {
  std::size_t length = 0;
  while (length < N && buffer[length] != 0) ++length;
  return length;
}

template <std::size_t N>
std::u16string_view TextView(const char16_t (&buffer)[N]) {
  return std::u16string_view(buffer, TextLength(buffer));
}

// 8-bit form for the files: characters above 255 become '?'.
std::string ToLatin1(std::u16string_view text);
std::u16string FromLatin1(std::string_view bytes);

// File-system form of a path held as UTF-16 text (UTF-8 on this platform).
// The code point at text[i]; a surrogate pair advances i past its second
// half, a lone surrogate reads as U+FFFD.
char32_t DecodeUtf16(std::u16string_view text, std::size_t& i);

std::string ToUtf8(std::u16string_view text);
std::u16string FromUtf8(std::string_view text);

}  // namespace tf
