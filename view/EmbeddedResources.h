#pragma once
// The table the build generates from resources/resources.txt.

#include <cstddef>
#include <cstdint>

namespace tf {

struct EmbeddedResource {
  const char* type;
  const char* name;
  const uint8_t* data;
  size_t size;
};

extern const EmbeddedResource kEmbeddedResources[];
extern const size_t kEmbeddedResourceCount;

}  // namespace tf
