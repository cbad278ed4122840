// Any bytes as a molecule file of another format: the first byte picks SDF,
// MOL2, XYZ, mmCIF or CML, the rest is the file. Reading must neither crash
// nor hang, and must leave a document that every later operation can index.

#include <cstdint>
#include <memory>
#include <string>

#include "FuzzReading.h"
#include "io/openbabel/ForeignReading.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static std::unique_ptr<tf::fuzz::Reading> records = tf::fuzz::MakeReading();
  if (size == 0) return 0;
  constexpr tf::MoleculeFormat kFormats[] = {tf::MoleculeFormat::kSdf, tf::MoleculeFormat::kMol2,
                                             tf::MoleculeFormat::kXyz, tf::MoleculeFormat::kCif,
                                             tf::MoleculeFormat::kCml};
  const tf::MoleculeFormat format = kFormats[data[0] % std::size(kFormats)];
  const std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
  tf::NewMolecule(records->document);
  tf::ReadForeignMolecule(records->document, records->tables, bytes, format, "fuzz", 0);
  tf::fuzz::CheckDocument(*records);
  return 0;
}
