// Any bytes as a PDB file with its topology and atoms files (the input is cut
// into the three at the first two form-feed bytes). Reading must neither crash
// nor hang, and must leave a document that every later operation can index.

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "FuzzReading.h"
#include "forcefield/ParameterFile.h"
#include "io/MoleculeFiles.h"

namespace {

using tf::fuzz::MakeReading;
using tf::fuzz::Reading;

std::optional<std::string> NextPart(std::string_view& rest, bool& present) {
  if (!present) return std::nullopt;
  std::size_t cut = rest.find('\f');
  std::string part(rest.substr(0, cut));
  if (cut == std::string_view::npos) {
    present = false;
    rest = {};
  } else {
    rest.remove_prefix(cut + 1);
  }
  return part;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static std::unique_ptr<Reading> records = MakeReading();
  std::string_view rest(reinterpret_cast<const char*>(data), size);
  bool present = true;
  std::optional<std::string> pdb = NextPart(rest, present);
  std::optional<std::string> topology = NextPart(rest, present);
  std::optional<std::string> atoms = NextPart(rest, present);

  tf::NewMolecule(records->document);
  tf::ReadMoleculeBytes(records->document, records->tables, pdb, topology, atoms, true);

  tf::fuzz::CheckDocument(*records);
  return 0;
}
