#pragma once
// Subcommands of tessaform-cli. Each command file registers itself with a
// static CommandRegistration; main dispatches on the first free argument.

#include <string>
#include <vector>

#include "base/ReadReport.h"
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

// Whole text as an unsigned number (decimal, or hexadecimal with 0x) no
// larger than `limit`.
bool ParseUnsigned(const std::string& text, unsigned long limit, unsigned long& value);
// Whole text as a finite decimal number, whatever the locale.
bool ParseDecimal(const std::string& text, double& value);

// Prints "tessaform-cli: <message>" as one line on standard error; returns 1.
int Fail(const std::string& message);

// The molecule OpenMolecule reads from files of several (--record K, 1 for
// the first).
void SetRecordToOpen(uint32_t record);

// Empties the document and reads FILE by its extension: a PDB file with its
// companions, or a file of another format (its molecule --record K). Lines
// the readers skipped are printed as "FILE:LINE: reason: text" on standard
// error, and so are a file of several molecules ("FILE holds N molecules;
// the first was opened.") and what did not fit the document. Fails (one line
// on standard error, false) when the file cannot be read ("FILE: reason"),
// holds no atom records ("FILE: no atom records"), or its records or a
// companion's stopped early ("FILE:LINE: reason: text").
bool OpenMolecule(Document& document, const ForceFieldTables& tables, const std::string& path);

// Sets the path and saves the molecule in the format of its extension (PDB
// with its companions, SDF, MOL2, XYZ). Fails when the save does.
bool SaveMolecule(Document& document, const ForceFieldTables& tables, const std::string& path);

// Prints what a read left out or found besides the molecule it opened.
void PrintReadNotes(const ReadReport& report, const std::string& path);

}  // namespace tf::cli
