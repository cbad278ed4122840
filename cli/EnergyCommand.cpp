// tessaform-cli energy FILE.pdb: the molecular-mechanics energy of the
// molecule as read, in total and by kind, one "name<TAB>value" line each.

#include <cstdio>
#include <vector>

#include "cli/CliCommand.h"
#include "shaping/Energy.h"

namespace tf::cli {

namespace {

int RunEnergy(Document& document, const ForceFieldTables& tables,
              const std::vector<std::string>& args) {
  if (args.size() != 1) return Fail("usage: energy FILE.pdb");
  if (!OpenMolecule(document, tables, args[0])) return 1;
  const EnergyComponents parts = ComputeEnergyComponents(document, tables);
  const struct {
    const char* name;
    float value;
  } lines[] = {{"total", parts.total},       {"distances", parts.distances},
               {"angles", parts.angles},     {"out-of-plane", parts.outOfPlane},
               {"torsions", parts.torsions}, {"lennard-jones", parts.lennardJones},
               {"coulomb", parts.coulomb}};
  for (const auto& line : lines) std::printf("%s\t%.6f\n", line.name, line.value);
  return 0;
}

const CommandRegistration kEnergy("energy", "FILE.pdb", RunEnergy);

}  // namespace

}  // namespace tf::cli
