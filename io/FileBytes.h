#pragma once
// Whole-file reading and writing for the 8-bit molecule files.

#include <optional>
#include <string>
#include <string_view>

namespace tf {

// The file's bytes, or nothing when it cannot be opened (path is UTF-16 text).
std::optional<std::string> ReadFileBytes(std::u16string_view path);

// Replaces the file with one holding `bytes`, all or nothing (StagedSave);
// false when it cannot be written.
bool WriteFileBytes(std::u16string_view path, std::string_view bytes);

}  // namespace tf
