#include "io/WriteFailures.h"

#include <mutex>

namespace tf {

namespace {

std::mutex failingLock;
std::string failingPath;

}  // namespace

void SetWriteFailing(std::string_view path) {
  std::lock_guard lock(failingLock);
  failingPath = path;
}

bool WriteFails(std::string_view path) {
  std::lock_guard lock(failingLock);
  return !failingPath.empty() && failingPath == path;
}

}  // namespace tf
