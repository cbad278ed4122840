#pragma once
// Resources built into the program: bitmaps, the icon and the sphere mesh.
// They are generated at build time from the files listed in
// resources/resources.txt.

#include <cstdint>
#include <span>
#include <string_view>

namespace tf {

inline constexpr std::string_view kResourceBitmap = "BITMAP";
inline constexpr std::string_view kResourceIcon = "ICON";

// Resource numbers and names the program uses.
inline constexpr int kGridCellBitmap = 102;
inline constexpr int kSelectionBitmap = 105;
inline constexpr int kToolbarBitmap = 106;
inline constexpr int kProgramIcon = 113;
inline constexpr std::string_view kSphereMeshName = "SPHEREX";
inline constexpr std::string_view kSphereMeshType = "XDATA";

// The bytes of a resource, found by type and name (the decimal number for
// numbered resources); empty when there is none. The bytes are followed by a
// zero byte that the span does not include.
std::span<const uint8_t> FindResource(std::string_view type, std::string_view name);
std::span<const uint8_t> FindResource(std::string_view type, int id);

}  // namespace tf
