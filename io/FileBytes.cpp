#include "io/FileBytes.h"

#include <cstdio>

#include "base/FixedText.h"
#include "io/StagedSave.h"

namespace tf {

std::optional<std::string> ReadFileBytes(std::u16string_view path) {
  if (path.empty()) return std::nullopt;
  std::FILE* file = std::fopen(ToUtf8(path).c_str(), "rb");
  if (!file) return std::nullopt;
  std::string bytes;
  char buffer[1 << 16];
  std::size_t count;
  while ((count = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, count);
  bool failed = std::ferror(file) != 0;
  std::fclose(file);
  if (failed) return std::nullopt;
  return bytes;
}

bool WriteFileBytes(std::u16string_view path, std::string_view bytes) {
  StagedSave save;
  return save.Stage(path, bytes) && save.Commit();
}

}  // namespace tf
