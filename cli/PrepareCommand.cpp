// tessaform-cli prepare IN OUT.pdb [--no-hydrogens]: reads IN (bonds
// perceived where the file has none), perceives the AtomTypes, adds the
// missing hydrogens and writes OUT with its companions.
// tessaform-cli build SMILES OUT: a 3-D molecule with hydrogens from SMILES.

#include <cstdio>
#include <vector>

#include "base/ReadReport.h"
#include "cli/CliCommand.h"
#include "io/openbabel/Hydrogens.h"
#include "io/openbabel/SmilesBuilding.h"
#include "io/openbabel/TypePerception.h"

namespace tf::cli {

namespace {

int RunPrepare(Document& document, const ForceFieldTables& tables,
               const std::vector<std::string>& args) {
  const bool withHydrogens = !(args.size() == 3 && args[2] == "--no-hydrogens");
  if (args.size() != 2 && withHydrogens) return Fail("usage: prepare IN OUT.pdb [--no-hydrogens]");
  if (!OpenMolecule(document, tables, args[0])) return 1;
  const uint32_t bonds = document.bondCount;
  const uint32_t retyped = PerceiveAtomTypes(document, tables);
  AddedHydrogens hydrogens;
  if (withHydrogens) hydrogens = AddHydrogens(document, tables);
  if (!SaveMolecule(document, tables, args[1])) return 1;
  std::fprintf(stderr, "%s: %u atoms, %u bonds; %u types changed by perception\n", args[0].c_str(),
               document.atomCount - hydrogens.added, bonds, retyped);
  if (withHydrogens) std::fprintf(stderr, "%s\n", DescribeAddedHydrogens(hydrogens).c_str());
  return 0;
}

int RunBuild(Document& document, const ForceFieldTables& tables,
             const std::vector<std::string>& args) {
  if (args.size() != 2) return Fail("usage: build SMILES OUT");
  NewMolecule(document);
  const ReadReport report = BuildFromSmiles(document, tables, args[0]);
  if (!report.read) return Fail("SMILES '" + args[0] + "': " + report.failure->reason);
  PrintReadNotes(report, "SMILES");
  if (!SaveMolecule(document, tables, args[1])) return 1;
  std::fprintf(stderr, "built %u atoms, %u bonds\n", document.atomCount, document.bondCount);
  return 0;
}

const CommandRegistration kPrepare("prepare", "IN OUT.pdb [--no-hydrogens]", RunPrepare);
const CommandRegistration kBuild("build", "SMILES OUT", RunBuild);

}  // namespace

}  // namespace tf::cli
