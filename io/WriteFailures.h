#pragma once
// Makes the writing of one file fail partway, as a full disk would, so tests
// can drive saves through their failure paths. Process-wide; safe from any
// thread.

#include <string>
#include <string_view>

namespace tf {

// The file at `path` (UTF-8, as staged) fails from now on; empty: none does.
void SetWriteFailing(std::string_view path);
bool WriteFails(std::string_view path);

// Fails the writing of one file for the lifetime of the object.
class ScopedWriteFailure {
 public:
  explicit ScopedWriteFailure(std::string_view path) { SetWriteFailing(path); }
  ~ScopedWriteFailure() { SetWriteFailing({}); }
  ScopedWriteFailure(const ScopedWriteFailure&) = delete;
  ScopedWriteFailure& operator=(const ScopedWriteFailure&) = delete;
};

}  // namespace tf
