#include <cstdio>
#include <fstream>

#include "base/FixedText.h"
#include "base/ReadReport.h"
#include "cli/CliCommand.h"
#include "io/MoleculeFiles.h"

namespace tf::cli {

namespace {
std::vector<CommandInfo>& Registry() {
  static std::vector<CommandInfo> commands;
  return commands;
}
}  // namespace

CommandRegistration::CommandRegistration(const char* name, const char* usage, CommandFunction run) {
  Registry().push_back({name, usage, run});
}

const std::vector<CommandInfo>& RegisteredCommands() {
  return Registry();
}

int Fail(const std::string& message) {
  std::fprintf(stderr, "tessaform-cli: %s\n", message.c_str());
  return 1;
}

bool OpenMolecule(Document& document, const ForceFieldTables& tables, const std::string& path) {
  if (!std::ifstream(path, std::ios::binary)) {
    Fail("cannot read '" + path + "'");
    return false;
  }
  std::u16string widePath = FromUtf8(path);
  if (widePath.size() >= kPathCapacity) {
    Fail("path too long: '" + path + "'");
    return false;
  }
  NewMolecule(document);
  SetFilePath(document, widePath);
  const ReadReport report = ReadMolecule(document, tables);
  for (const LineProblem& warning : report.warnings)
    std::fprintf(stderr, "%s\n", DescribeProblem(warning).c_str());
  if (report.warningsLeftOut > 0)
    std::fprintf(stderr, "%s: %lld more lines skipped\n", path.c_str(),
                 static_cast<long long>(report.warningsLeftOut));
  if (!report.read) {
    Fail("cannot read '" + path + "'");
    return false;
  }
  if (report.stopped) {
    std::fprintf(stderr, "%s\n", DescribeProblem(*report.stopped).c_str());
    return false;
  }
  if (document.atomCount == 0) {
    std::fprintf(stderr, "%s: no atom records\n", path.c_str());
    return false;
  }
  if (report.atomLimitReached)
    std::fprintf(stderr, "%s: too many atoms, only the first %u were read\n", path.c_str(),
                 kMaxAtoms);
  return true;
}

bool SaveMolecule(Document& document, const std::string& path) {
  std::u16string widePath = FromUtf8(path);
  if (widePath.size() >= kPathCapacity) {
    Fail("path too long: '" + path + "'");
    return false;
  }
  SetFilePath(document, widePath);
  const bool saved = WriteMolecule(document);
  if (!saved) Fail("cannot write '" + path + "'");
  return saved;
}

}  // namespace tf::cli
