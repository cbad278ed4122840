#pragma once
// Runs the command-line tool in a shell and captures what it printed.

#include <string>

namespace tf::test {

struct CommandResult {
  int exitCode;
  std::string out;
  std::string err;
};

// Runs `tessaform-cli ARGS` (ARGS already quoted for the shell) in `workDir`;
// `program` names another copy of the tool.
CommandResult RunCli(const std::string& args, const std::string& workDir = ".",
                     const std::string& program = TF_CLI_PATH);

// "--config 'PATH'" naming the shipped parameter file, for RunCli's ARGS.
std::string ShippedConfigOption();

// The line ends in `text`.
int CountLines(const std::string& text);

}  // namespace tf::test
