// Any bytes as a parameter file: the loader must neither crash nor hang, and
// a successful load must leave tables every reader can index safely.

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string_view>

#include "forcefield/ParameterFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static auto tables = std::make_unique<tf::ForceFieldTables>();
  std::string_view text(reinterpret_cast<const char*>(data), size);
  if (!tf::LoadParameterText(*tables, text)) return 0;
  if (tables->chemicalTypeCount > tf::kMaxChemicalTypes) std::abort();
  if (tables->atomTypeCount > tf::kMaxAtomTypes) std::abort();
  if (tables->defaultAtomType == 0 || tables->defaultAtomType >= tables->atomTypeCount)
    std::abort();
  for (uint32_t i = 0; i < tables->atomTypeCount; ++i) {
    const tf::AtomType& type = tables->atomTypes[i];
    if (type.chemicalType < 0 ||
        static_cast<uint32_t>(type.chemicalType) >= tables->chemicalTypeCount)
      std::abort();
    if (type.hybridization < 0 || type.hybridization > 3) std::abort();
  }
  return 0;
}
