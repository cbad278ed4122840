#include "support/FailureSwitches.h"

#include <atomic>
#include <mutex>
#include <string>

namespace tf {

namespace {

std::atomic<uint32_t> failingKinds{0};
std::mutex failingLock;
std::string failingPath;

uint32_t Bit(CreationKind kind) {
  return 1u << static_cast<uint32_t>(kind);
}

}  // namespace

void SetCreationFailing(CreationKind kind, bool failing) {
  if (failing)
    failingKinds |= Bit(kind);
  else
    failingKinds &= ~Bit(kind);
}

bool CreationFails(CreationKind kind) {
  return (failingKinds.load() & Bit(kind)) != 0;
}

void SetWriteFailing(std::string_view path) {
  std::lock_guard lock(failingLock);
  failingPath = path;
}

bool WriteFails(std::string_view path) {
  std::lock_guard lock(failingLock);
  return !failingPath.empty() && failingPath == path;
}

}  // namespace tf
