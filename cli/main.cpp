// tessaform-cli: the headless companion of the molecule builder.
//   tessaform-cli [--config PATH] [--record K] COMMAND ARGS...

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "base/FixedText.h"
#include "cli/CliCommand.h"
#include "forcefield/ParameterFile.h"
#include "model/Document.h"

namespace {

void PrintUsage() {
  std::fprintf(stderr,
               "usage: tessaform-cli [--config PATH] [--record K] COMMAND ARGS...\ncommands:\n");
  for (const auto& command : tf::cli::RegisteredCommands())
    std::fprintf(stderr, "  %s %s\n", command.name, command.usage);
}

// The parameter files to try, in order: the one --config names, else
// ./config.ini, then the installed one beside the program
// (PREFIX/bin/../share/tessaform/config.ini) and the source tree's
// (BUILD/../share/config.ini).
std::vector<std::string> ConfigCandidates(const std::string& given) {
  if (!given.empty()) return {given};
  std::vector<std::string> candidates = {"config.ini"};
  std::error_code error;
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  if (!error) {
    const std::filesystem::path folder = program.parent_path().parent_path() / "share";
    candidates.push_back((folder / "tessaform" / "config.ini").string());
    candidates.push_back((folder / "config.ini").string());
  }
  return candidates;
}

bool IsMissing(const tf::ReadReport& report) {
  return !report.failure ||
         (report.failure->line == 0 && report.failure->reason == "cannot be opened");
}

}  // namespace

int main(int argc, char** argv) {
  std::string configPath;
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--config") == 0) {
      if (i + 1 >= argc) return tf::cli::Fail("--config needs a path");
      configPath = argv[++i];
    } else if (std::strcmp(argv[i], "--record") == 0) {
      char* end = nullptr;
      const long record = i + 1 < argc ? std::strtol(argv[i + 1], &end, 10) : 0;
      if (i + 1 >= argc || *end != '\0' || record < 1 || record > 1000000000)
        return tf::cli::Fail("--record needs a molecule number from 1");
      tf::cli::SetRecordToOpen(static_cast<uint32_t>(record));
      ++i;
    } else {
      args.emplace_back(argv[i]);
    }
  }
  if (args.empty()) {
    PrintUsage();
    return 1;
  }
  const tf::cli::CommandInfo* command = nullptr;
  for (const auto& candidate : tf::cli::RegisteredCommands())
    if (args[0] == candidate.name) command = &candidate;
  if (!command) {
    tf::cli::Fail("unknown command '" + args[0] + "'");
    PrintUsage();
    return 1;
  }

  // The records are large; they live on the heap.
  auto tables = std::make_unique<tf::ForceFieldTables>();
  std::string tried;
  bool loaded = false;
  for (const std::string& candidate : ConfigCandidates(configPath)) {
    *tables = tf::ForceFieldTables{};
    const tf::ReadReport parameters = tf::LoadParameterFile(*tables, candidate.c_str());
    if (parameters.read) {
      loaded = true;
      break;
    }
    if (!IsMissing(parameters)) {
      std::fprintf(stderr, "%s\n", tf::DescribeProblem(*parameters.failure).c_str());
      return 1;
    }
    tried += (tried.empty() ? "'" : ", '") + candidate + "'";
  }
  if (!loaded) return tf::cli::Fail("cannot load parameter file: tried " + tried);
  auto document = std::make_unique<tf::Document>();

  args.erase(args.begin());
  return command->run(*document, *tables, args);
}
