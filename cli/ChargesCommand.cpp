// tessaform-cli charges FILE.pdb [--write]: partial charges of every atom,
// one line each (index, name, AtomType name, charge); --write saves them to
// the atoms file beside FILE.pdb.

#include <cstdio>
#include <vector>

#include "base/FixedText.h"
#include "charges/PartialCharges.h"
#include "cli/CliCommand.h"
#include "io/CompanionFiles.h"
#include "io/MoleculeFiles.h"

namespace tf::cli {

namespace {

std::string AtomTypeName(const ForceFieldTables& tables, int32_t type) {
  if (type < 0 || static_cast<uint32_t>(type) >= tables.atomTypeCount) return "-";
  return ToUtf8(TextView(tables.atomTypes[type].name));
}

int RunCharges(Document& document, const ForceFieldTables& tables,
               const std::vector<std::string>& args) {
  const bool write = args.size() == 2 && args[1] == "--write";
  if (args.size() != 1 && !write) return Fail("usage: charges FILE.pdb [--write]");
  if (!OpenMolecule(document, tables, args[0])) return 1;
  RecomputeCharges(document, tables);

  if (write) {
    const std::u16string atomsPath =
        CompanionPath(TextView(document.filePath), CompanionKind::Atoms);
    if (atomsPath.empty() || !WriteAtomsFile(document, atomsPath))
      return Fail("cannot write the atoms file of '" + args[0] + "'");
  }
  for (uint32_t i = 0; i < document.atomCount; ++i) {
    const Atom& atom = document.atoms[i];
    std::printf("%u\t%s\t%s\t%.4f\n", i, ToUtf8(TextView(atom.name)).c_str(),
                AtomTypeName(tables, atom.atomType).c_str(), atom.charge);
  }
  return 0;
}

const CommandRegistration kCharges("charges", "FILE.pdb [--write]", RunCharges);

}  // namespace

}  // namespace tf::cli
