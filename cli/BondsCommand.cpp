// tessaform-cli bonds IN.pdb OUT.pdb: perceives the bonds of IN.pdb (its
// CONECT records, then atoms within bonding reach), writes the molecule to
// OUT.pdb and its companions, and reports what was added and refused on
// standard error.

#include <cstdio>
#include <vector>

#include "cli/CliCommand.h"
#include "io/PerceiveBonds.h"

namespace tf::cli {

namespace {

int RunBonds(Document& document, const ForceFieldTables& tables,
             const std::vector<std::string>& args) {
  if (args.size() != 2) return Fail("usage: bonds IN.pdb OUT.pdb");
  if (!OpenMolecule(document, tables, args[0])) return 1;
  const PerceivedBonds perceived = PerceiveBonds(document, tables);
  if (!SaveMolecule(document, tables, args[1])) return 1;
  // After the save, so that a failure stays one line.
  std::fprintf(stderr, "%s\n", DescribePerceivedBonds(perceived).c_str());
  return 0;
}

const CommandRegistration kBonds("bonds", "IN.pdb OUT.pdb", RunBonds);

}  // namespace

}  // namespace tf::cli
