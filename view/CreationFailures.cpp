#include "view/CreationFailures.h"

#include <atomic>

namespace tf {

namespace {

std::atomic<uint32_t> failingKinds{0};

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

}  // namespace tf
