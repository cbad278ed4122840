#include "view/Resources.h"

#include <string>

#include "view/EmbeddedResources.h"

namespace tf {

std::span<const uint8_t> FindResource(std::string_view type, std::string_view name) {
  for (size_t i = 0; i < kEmbeddedResourceCount; ++i) {
    const EmbeddedResource& resource = kEmbeddedResources[i];
    if (type == resource.type && name == resource.name) return {resource.data, resource.size};
  }
  return {};
}

std::span<const uint8_t> FindResource(std::string_view type, int id) {
  return FindResource(type, std::to_string(id));
}

}  // namespace tf
