// tessaform-cli energy FILE [--per-atom]: the molecular-mechanics energy of
// the molecule as read, in total and by kind, one "name<TAB>value" line each;
// with --per-atom then each atom's share, one "INDEX<TAB>ENERGY" line each
// (indices from 0).

#include <cstdio>
#include <vector>

#include "cli/CliCommand.h"
#include "shaping/Energy.h"

namespace tf::cli {

namespace {

int RunEnergy(Document& document, const ForceFieldTables& tables,
              const std::vector<std::string>& args) {
  const bool perAtom = args.size() == 2 && args[1] == "--per-atom";
  if (args.size() != 1 && !perAtom) return Fail("usage: energy FILE [--per-atom]");
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
  if (perAtom) {
    const std::vector<double> shares = AtomEnergies(document, tables);
    for (size_t i = 0; i < shares.size(); ++i) std::printf("%zu\t%.6f\n", i, shares[i]);
  }
  return 0;
}

const CommandRegistration kEnergy("energy", "FILE [--per-atom]", RunEnergy);

}  // namespace

}  // namespace tf::cli
