// tessaform-cli minimize IN OUT [--rms G] [--steps N] [--terms MASK]:
// gradient minimisation of the molecule read from IN until its RMS gradient
// is at most G (0.01 by default) or N iterations have run, the result
// written to OUT with its companions. Standard output gets the energy
// before and after, the RMS gradient, the iterations and the energy
// evaluations, one "name<TAB>value" line each.

#include <cstdio>
#include <vector>

#include "cli/CliCommand.h"
#include "shaping/Minimizer.h"

namespace tf::cli {

namespace {

constexpr const char* kUsage = "IN OUT [--rms G] [--steps N] [--terms MASK]";

// Empty on success, otherwise the message to fail with.
std::string ParseOptions(const std::vector<std::string>& args, MinimizeSettings& settings) {
  for (size_t i = 2; i < args.size(); i += 2) {
    const std::string& name = args[i];
    if (i + 1 >= args.size()) return name + " needs a value";
    const std::string& text = args[i + 1];
    bool ok = false;
    unsigned long number = 0;
    if (name == "--rms") {
      ok = ParseDecimal(text, settings.rmsGradient) && settings.rmsGradient > 0.0;
    } else if (name == "--steps") {
      ok = ParseUnsigned(text, 100000000ul, number);
      settings.maxSteps = static_cast<int32_t>(number);
    } else if (name == "--terms") {
      ok = ParseUnsigned(text, kAllTerms, number);
      settings.terms = static_cast<uint32_t>(number);
    } else {
      return "unknown option '" + name + "'";
    }
    if (!ok) return "bad value for " + name + ": '" + text + "'";
  }
  return "";
}

int RunMinimize(Document& document, const ForceFieldTables& tables,
                const std::vector<std::string>& args) {
  if (args.size() < 2) return Fail(std::string("usage: minimize ") + kUsage);
  MinimizeSettings settings;
  if (const std::string problem = ParseOptions(args, settings); !problem.empty())
    return Fail(problem);
  if (!OpenMolecule(document, tables, args[0])) return 1;
  Minimizer minimizer(document, tables, settings);
  while (minimizer.Step()) {
  }
  minimizer.WriteTo(document);
  if (!SaveMolecule(document, tables, args[1])) return 1;
  std::printf("initial\t%.6f\n", minimizer.InitialEnergy());
  std::printf("final\t%.6f\n", minimizer.Energy());
  std::printf("rms-gradient\t%.6f\n", minimizer.RmsGradient());
  std::printf("steps\t%d\n", minimizer.Steps());
  std::printf("evaluations\t%d\n", minimizer.Evaluations());
  return 0;
}

const CommandRegistration kMinimize("minimize", kUsage, RunMinimize);

}  // namespace

}  // namespace tf::cli
