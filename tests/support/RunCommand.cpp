#include "support/RunCommand.h"

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>

#include "support/ShippedConfig.h"
#include "support/TempDir.h"

namespace tf::test {

CommandResult RunCli(const std::string& args, const std::string& workDir,
                     const std::string& program) {
  TempDir capture;
  std::string outPath = (capture / "out").string();
  std::string errPath = (capture / "err").string();
  std::string command = "cd '" + workDir + "' && '" + program + "' " + args + " >'" + outPath +
                        "' 2>'" + errPath + "'";
  int status = std::system(command.c_str());
  CommandResult result;
  result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  result.out = ReadBytes(outPath);
  result.err = ReadBytes(errPath);
  return result;
}

std::string ShippedConfigOption() {
  return "--config '" + SourcePath("share/config.ini") + "'";
}

int CountLines(const std::string& text) {
  int lines = 0;
  for (char c : text) lines += c == '\n';
  return lines;
}

}  // namespace tf::test
