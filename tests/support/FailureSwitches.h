#pragma once
// Switches that make chosen graphics creations, or the writing of one file,
// fail, so tests can drive start-up and saves through their failure paths.
// Linking this file replaces the program's answers (never fail) with these.
// Process-wide; safe from any thread.

#include <string_view>

#include "io/WriteFailures.h"
#include "view/CreationFailures.h"

namespace tf {

void SetCreationFailing(CreationKind kind, bool failing);

// Fails one kind of creation for the lifetime of the object.
class ScopedCreationFailure {
 public:
  explicit ScopedCreationFailure(CreationKind kind) : kind_(kind) {
    SetCreationFailing(kind_, true);
  }
  ~ScopedCreationFailure() { SetCreationFailing(kind_, false); }
  ScopedCreationFailure(const ScopedCreationFailure&) = delete;
  ScopedCreationFailure& operator=(const ScopedCreationFailure&) = delete;

 private:
  CreationKind kind_;
};

// The file at `path` (UTF-8, as staged) fails from now on; empty: none does.
void SetWriteFailing(std::string_view path);

// Fails the writing of one file for the lifetime of the object.
class ScopedWriteFailure {
 public:
  explicit ScopedWriteFailure(std::string_view path) { SetWriteFailing(path); }
  ~ScopedWriteFailure() { SetWriteFailing({}); }
  ScopedWriteFailure(const ScopedWriteFailure&) = delete;
  ScopedWriteFailure& operator=(const ScopedWriteFailure&) = delete;
};

}  // namespace tf
