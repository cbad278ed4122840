#pragma once
// Subcommands of tessaform-cli. Each command file registers itself with a
// static CommandRegistration; main dispatches on the first free argument.

#include <string>
#include <vector>

#include "forcefield/ForceFieldTables.h"
#include "model/Document.h"

namespace tf::cli {

// Runs on an empty document with the parameter file loaded into `tables`.
// Returns the process exit code.
using CommandFunction = int (*)(Document& document, const ForceFieldTables& tables,
                                const std::vector<std::string>& args);

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

// Empties the document and reads FILE.pdb with its companions. Lines the
// readers skipped are printed as "FILE:LINE: reason: text" on standard error.
// Fails (one line on standard error, false) when the PDB file cannot be read,
// holds no atom records ("FILE: no atom records"), or its records or a
// companion's stopped early ("FILE:LINE: reason: text").
bool OpenMolecule(Document& document, const ForceFieldTables& tables, const std::string& path);

// Sets the path and saves the three files. Fails when the save does.
bool SaveMolecule(Document& document, const std::string& path);

}  // namespace tf::cli
