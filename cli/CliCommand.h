#pragma once
// Subcommands of tessaform-cli. Each command file registers itself with a
// static CommandRegistration; main dispatches on the first free argument.

#include <string>
#include <vector>

#include "model/MoleculeStore.h"

namespace tf::cli {

// Runs with the parameter file loaded into store.tables and the shell's
// messages going to standard error. Returns the process exit code.
using CommandFunction = int (*)(MoleculeStore& store, const std::vector<std::string>& args);

struct CommandInfo {
  const char* name;
  const char* usage;
  CommandFunction run;
};

struct CommandRegistration {
  CommandRegistration(const char* name, const char* usage, CommandFunction run);
};

const std::vector<CommandInfo>& RegisteredCommands();

// Prints "tessaform-cli: <message>" as one line on standard error; returns 1.
int Fail(const std::string& message);

// Empties the store and reads FILE.pdb with its companions. Fails (one line on
// standard error, false) when the PDB file cannot be opened for reading.
bool OpenMolecule(MoleculeStore& store, const std::string& path);

// Sets the path and saves the three files. Fails when the save does.
bool SaveMolecule(MoleculeStore& store, const std::string& path);

}  // namespace tf::cli
