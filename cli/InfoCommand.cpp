// tessaform-cli info FILE: counts, AtomTypes and companion files.
// tessaform-cli convert IN OUT: reads IN and writes it as OUT, each in the
// format of its extension.

#include <cstdio>
#include <vector>

#include "base/FixedText.h"
#include "cli/CliCommand.h"
#include "io/FileBytes.h"
#include "io/MoleculeFiles.h"

namespace tf::cli {

namespace {

const char* Presence(std::u16string_view companion) {
  if (companion.empty()) return "none";
  return ReadFileBytes(companion) ? "found" : "missing";
}

int RunInfo(Document& document, const ForceFieldTables& tables,
            const std::vector<std::string>& args) {
  if (args.size() != 1) return Fail("usage: info FILE");
  if (!OpenMolecule(document, tables, args[0])) return 1;

  std::u16string_view path = TextView(document.filePath);
  std::printf("file\t%s\n", args[0].c_str());
  std::printf("atoms\t%u\n", document.atomCount);
  std::printf("bonds\t%u\n", document.bondCount);
  std::printf("topology\t%s\n", Presence(CompanionPath(path, CompanionKind::Topology)));
  std::printf("atoms-file\t%s\n", Presence(CompanionPath(path, CompanionKind::Atoms)));

  std::vector<uint32_t> perType(tables.atomTypeCount, 0);
  for (uint32_t i = 0; i < document.atomCount; ++i) {
    uint32_t type = static_cast<uint32_t>(document.atoms[i].atomType);
    if (type < perType.size()) ++perType[type];
  }
  for (uint32_t t = 0; t < perType.size(); ++t) {
    if (perType[t] == 0) continue;
    std::printf("type\t%u\t%s\t%u\n", t, ToUtf8(TextView(tables.atomTypes[t].name)).c_str(),
                perType[t]);
  }
  return 0;
}

int RunConvert(Document& document, const ForceFieldTables& tables,
               const std::vector<std::string>& args) {
  if (args.size() != 2) return Fail("usage: convert IN OUT");
  if (!OpenMolecule(document, tables, args[0])) return 1;
  if (!SaveMolecule(document, tables, args[1])) return 1;
  std::printf("wrote\t%s\t%u atoms\t%u bonds\n", args[1].c_str(), document.atomCount,
              document.bondCount);
  return 0;
}

const CommandRegistration kInfo("info", "FILE", RunInfo);
const CommandRegistration kConvert("convert", "IN OUT", RunConvert);

}  // namespace

}  // namespace tf::cli
