// tessaform-cli charges FILE.pdb [--write]: partial charges of every atom,
// one line each (index, name, AtomType name, charge); --write saves them to
// the atoms file beside FILE.pdb.

#include <cstdio>
#include <vector>

#include "charges/PartialCharges.h"
#include "cli/CliCommand.h"
#include "forcefield/FixedText.h"
#include "io/CompanionFiles.h"
#include "io/MoleculeFiles.h"

namespace tf::cli {

namespace {

std::string AtomTypeName(const MoleculeStore& store, int32_t type) {
  if (type < 0 || static_cast<uint32_t>(type) >= store.tables.atomTypeCount) return "-";
  return ToUtf8(TextView(store.tables.atomTypes[type].name));
}

int RunCharges(MoleculeStore& store, const std::vector<std::string>& args) {
  const bool write = args.size() == 2 && args[1] == "--write";
  if (args.size() != 1 && !write) return Fail("usage: charges FILE.pdb [--write]");
  if (!OpenMolecule(store, args[0])) return 1;
  RecomputeCharges(store);

  if (write) {
    const std::u16string atomsPath = CompanionPath(TextView(store.filePath), CompanionKind::Atoms);
    if (atomsPath.empty() || !WriteAtomsFile(store, atomsPath))
      return Fail("cannot write the atoms file of '" + args[0] + "'");
  }
  for (uint32_t i = 0; i < store.atomCount; ++i) {
    const Atom& atom = store.atoms[i];
    std::printf("%u\t%s\t%s\t%.4f\n", i, ToUtf8(TextView(atom.name)).c_str(),
                AtomTypeName(store, atom.atomType).c_str(), atom.charge);
  }
  return 0;
}

const CommandRegistration kCharges("charges", "FILE.pdb [--write]", RunCharges);

}  // namespace

}  // namespace tf::cli
