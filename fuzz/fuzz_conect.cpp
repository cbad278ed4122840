// Any bytes as a PDB file whose bonds are perceived: its atoms, then the
// pairs its CONECT records list and the atoms within bonding reach. Neither
// may crash or hang, and every bond added must name two distinct atoms in
// use, smaller index first, once, with no atom past its type's bonds.

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "FuzzReading.h"
#include "forcefield/ParameterFile.h"
#include "io/ConectRecords.h"
#include "io/MoleculeFiles.h"
#include "io/PerceiveBonds.h"
#include "model/TableLookup.h"

namespace {

using tf::fuzz::MakeReading;
using tf::fuzz::Reading;

void CheckBonds(const Reading& records, const tf::PerceivedBonds& perceived) {
  if (records.document.bondCount != perceived.added || records.document.bondCount > tf::kMaxBonds)
    std::abort();
  std::vector<std::pair<int32_t, int32_t>> bonds;
  std::vector<int64_t> degree(records.document.atomCount, 0);
  for (uint32_t b = 0; b < records.document.bondCount; ++b) {
    const tf::Bond& bond = records.document.bonds[b];
    if (bond.atom1 < 0 || bond.atom1 >= bond.atom2 ||
        static_cast<uint32_t>(bond.atom2) >= records.document.atomCount)
      std::abort();
    bonds.emplace_back(bond.atom1, bond.atom2);
    ++degree[bond.atom1];
    ++degree[bond.atom2];
  }
  std::sort(bonds.begin(), bonds.end());
  if (std::adjacent_find(bonds.begin(), bonds.end()) != bonds.end()) std::abort();
  for (uint32_t i = 0; i < records.document.atomCount; ++i) {
    if (degree[i] > tf::MaxBonds(records.tables, records.document.atoms[i].atomType)) std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static std::unique_ptr<Reading> records = MakeReading();
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  tf::NewMolecule(records->document);
  // Empty companions: no bonds and the types of the names, so that all bonds
  // come from the perception checked here.
  tf::ReadMoleculeBytes(records->document, records->tables, bytes, std::string(), std::string(),
                        true);
  const std::vector<tf::SerialPair> conect = tf::ReadConectPairs(bytes);
  CheckBonds(*records, tf::AddPerceivedBonds(records->document, records->tables, conect));
  return 0;
}
