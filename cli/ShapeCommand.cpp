// tessaform-cli shape IN.pdb OUT.pdb --sweeps N [--seed S] [--terms MASK]:
// N shaping iterations (a sweep of trial moves, the total energy, the step
// schedule), one progress line per iteration on standard error, the result
// written to OUT.pdb and its companions. Standard output gets the energy
// before and after ("initial" and "final" lines).

#include <cstdio>
#include <vector>

#include "cli/CliCommand.h"
#include "shaping/Energy.h"
#include "shaping/ShapingStep.h"

namespace tf::cli {

namespace {

constexpr const char* kUsage = "IN.pdb OUT.pdb --sweeps N [--seed S] [--terms MASK]";

struct ShapeOptions {
  unsigned long sweeps = 0;
  unsigned long seed = 1;
  unsigned long terms = kAllTerms;
  bool haveSweeps = false;
};

// Empty on success, otherwise the message to fail with.
std::string ParseOptions(const std::vector<std::string>& args, ShapeOptions& options) {
  for (size_t i = 2; i < args.size(); i += 2) {
    const std::string& name = args[i];
    if (i + 1 >= args.size()) return name + " needs a value";
    const std::string& text = args[i + 1];
    bool ok = false;
    if (name == "--sweeps") {
      ok = ParseUnsigned(text, 100000000ul, options.sweeps);
      options.haveSweeps = true;
    } else if (name == "--seed") {
      ok = ParseUnsigned(text, 0xFFFFFFFFul, options.seed);
    } else if (name == "--terms") {
      ok = ParseUnsigned(text, kAllTerms, options.terms);
    } else {
      return "unknown option '" + name + "'";
    }
    if (!ok) return "bad value for " + name + ": '" + text + "'";
  }
  if (!options.haveSweeps) return std::string("usage: shape ") + kUsage;
  return "";
}

int RunShape(Document& document, const ForceFieldTables& tables,
             const std::vector<std::string>& args) {
  if (args.size() < 2) return Fail(std::string("usage: shape ") + kUsage);
  ShapeOptions options;
  if (const std::string problem = ParseOptions(args, options); !problem.empty())
    return Fail(problem);
  if (!OpenMolecule(document, tables, args[0])) return 1;

  ShapingRandom random(static_cast<uint32_t>(options.seed));
  const uint32_t terms = static_cast<uint32_t>(options.terms);
  ShapingRun shaping;
  BeginShapingRun(shaping);
  const float initial = TotalEnergy(document, tables, shaping);
  shaping.energy = 0.0f;  // the run's first energy change is its first energy
  for (unsigned long sweep = 1; sweep <= options.sweeps; ++sweep) {
    ShapingStep(document, tables, shaping.stepScale, terms, random);
    TotalEnergy(document, tables, shaping);
    std::fprintf(stderr, "sweep %lu/%lu\tenergy %.6f\tdE %.6f\tstep %f\n", sweep, options.sweeps,
                 shaping.energy, shaping.energyChange, shaping.stepScale);
    AdvanceShapingSchedule(shaping);
  }
  if (!SaveMolecule(document, tables, args[1])) return 1;
  std::printf("initial\t%.6f\n", initial);
  std::printf("final\t%.6f\n", options.sweeps > 0 ? shaping.energy : initial);
  return 0;
}

const CommandRegistration kShape("shape", kUsage, RunShape);

}  // namespace

}  // namespace tf::cli
