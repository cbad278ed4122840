#pragma once
// Reference counting for graphics objects: each starts with one reference,
// owned by its creator, and deletes itself when Release drops the last one.

#include <atomic>
#include <cstdint>

namespace tf {

class RefCounted {
 public:
  RefCounted() = default;
  RefCounted(const RefCounted&) = delete;
  RefCounted& operator=(const RefCounted&) = delete;

  // Both return the new reference count.
  uint32_t AddRef() { return ++references_; }
  uint32_t Release() {
    const uint32_t left = --references_;
    if (left == 0) delete this;
    return left;
  }

 protected:
  virtual ~RefCounted() = default;

 private:
  std::atomic<uint32_t> references_{1};
};

}  // namespace tf
