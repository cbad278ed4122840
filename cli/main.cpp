// tessaform-cli: the headless companion of the molecule builder.
//   tessaform-cli [--config PATH] COMMAND ARGS...

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "cli/CliCommand.h"
#include "forcefield/FixedText.h"
#include "forcefield/ParameterFile.h"

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

  // The store is large; it lives on the heap, zeroed like the program's static one.
  auto store = std::make_unique<tf::MoleculeStore>();
  store->shell.showMessage = [](std::u16string_view text, std::u16string_view caption,
                                tf::MessageIcon) {
    std::fprintf(stderr, "%s: %s\n", tf::ToUtf8(caption).c_str(), tf::ToUtf8(text).c_str());
  };
  store->configPath = configPath.c_str();
  if (!tf::LoadParameterFile(store->tables, configPath.c_str()))
    return tf::cli::Fail("cannot load parameter file '" + configPath + "'");
  tf::NewMolecule(*store);

  args.erase(args.begin());
  return command->run(*store, args);
}
