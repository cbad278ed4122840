#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "base/FixedText.h"
#include "base/ReadReport.h"
#include "cli/CliCommand.h"
#include "io/MoleculeFileCommands.h"
#include "io/MoleculeFiles.h"
#include "io/MoleculeFormat.h"

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

bool ParseUnsigned(const std::string& text, unsigned long limit, unsigned long& value) {
  if (text.empty() || text[0] == '-' || text[0] == '+' || text[0] == ' ') return false;
  errno = 0;
  char* end = nullptr;
  value = std::strtoul(text.c_str(), &end, 0);
  return errno == 0 && end && *end == '\0' && value <= limit;
}

bool ParseDecimal(const std::string& text, double& value) {
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  return error == std::errc() && stop == end && std::isfinite(value);
}

int Fail(const std::string& message) {
  std::fprintf(stderr, "tessaform-cli: %s\n", message.c_str());
  return 1;
}

namespace {
uint32_t recordToOpen = 0;  // 0-based
}  // namespace

void SetRecordToOpen(uint32_t record) {
  recordToOpen = record > 0 ? record - 1 : 0;
}

void PrintReadNotes(const ReadReport& report, const std::string& path) {
  if (report.moleculesInFile > 1) {
    const std::string which = recordToOpen == 0 ? std::string("the first")
                                                : "molecule " + std::to_string(recordToOpen + 1);
    std::fprintf(stderr, "%s holds %u molecules; %s was opened.\n", path.c_str(),
                 report.moleculesInFile, which.c_str());
  }
  if (report.atomsLeftOut > 0 || report.bondsLeftOut > 0)
    std::fprintf(stderr,
                 "%s: %u atoms and %u bonds were left out (the molecule holds at most %u atoms and "
                 "%u bonds)\n",
                 path.c_str(), report.atomsLeftOut, report.bondsLeftOut, kMaxAtoms, kMaxBonds);
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
  const ReadReport report = ReadMoleculeFile(document, tables, widePath, recordToOpen);
  for (const LineProblem& warning : report.warnings)
    std::fprintf(stderr, "%s\n", DescribeProblem(warning).c_str());
  if (report.warningsLeftOut > 0)
    std::fprintf(stderr, "%s: %lld more lines skipped\n", path.c_str(),
                 static_cast<long long>(report.warningsLeftOut));
  if (!report.read) {
    if (report.failure && !report.failure->reason.empty() &&
        report.failure->reason != "cannot be opened") {
      std::fprintf(stderr, "%s\n", DescribeProblem(*report.failure).c_str());
    } else {
      Fail("cannot read '" + path + "'");
    }
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
  PrintReadNotes(report, path);
  return true;
}

bool SaveMolecule(Document& document, const ForceFieldTables& tables, const std::string& path) {
  std::u16string widePath = FromUtf8(path);
  if (widePath.size() >= kPathCapacity) {
    Fail("path too long: '" + path + "'");
    return false;
  }
  const std::optional<MoleculeFormat> format = FormatOfPath(widePath);
  if (format && !CanWriteFormat(*format)) {
    Fail("cannot write this format: '" + path + "' (PDB, SDF, MOL2 and XYZ can be written)");
    return false;
  }
  const bool saved = SaveMoleculeFile(document, tables, widePath);
  if (!saved) Fail("cannot write '" + path + "'");
  return saved;
}

}  // namespace tf::cli
