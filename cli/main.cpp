// tessaform-cli: the headless companion of the molecule builder.
//   tessaform-cli [--config PATH] COMMAND ARGS...

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "base/FixedText.h"
#include "cli/CliCommand.h"
#include "forcefield/ParameterFile.h"
#include "model/Document.h"

namespace {

void PrintUsage() {
  std::fprintf(stderr, "usage: tessaform-cli [--config PATH] COMMAND ARGS...\ncommands:\n");
  for (const auto& command : tf::cli::RegisteredCommands())
    std::fprintf(stderr, "  %s %s\n", command.name, command.usage);
}

}  // namespace

int main(int argc, char** argv) {
  std::string configPath = "config.ini";
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--config") == 0) {
      if (i + 1 >= argc) return tf::cli::Fail("--config needs a path");
      configPath = argv[++i];
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
  const tf::ReadReport parameters = tf::LoadParameterFile(*tables, configPath.c_str());
  if (!parameters.read) {
    const bool missing = !parameters.failure || (parameters.failure->line == 0 &&
                                                 parameters.failure->reason == "cannot be opened");
    if (missing) return tf::cli::Fail("cannot load parameter file '" + configPath + "'");
    std::fprintf(stderr, "%s\n", tf::DescribeProblem(*parameters.failure).c_str());
    return 1;
  }
  auto document = std::make_unique<tf::Document>();

  args.erase(args.begin());
  return command->run(*document, *tables, args);
}
