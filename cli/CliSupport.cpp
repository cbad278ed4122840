#include <cstdio>
#include <fstream>

#include "cli/CliCommand.h"
#include "forcefield/FixedText.h"
#include "io/MoleculeFiles.h"

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

int Fail(const std::string& message) {
  std::fprintf(stderr, "tessaform-cli: %s\n", message.c_str());
  return 1;
}

bool OpenMolecule(MoleculeStore& store, const std::string& path) {
  if (!std::ifstream(path, std::ios::binary)) {
    Fail("cannot read '" + path + "'");
    return false;
  }
  std::u16string widePath = FromUtf8(path);
  if (widePath.size() >= kPathCapacity) {
    Fail("path too long: '" + path + "'");
    return false;
  }
  NewMolecule(store);
  SetFilePath(store, widePath);
  ReadMolecule(store);
  return true;
}

bool SaveMolecule(MoleculeStore& store, const std::string& path) {
  std::u16string widePath = FromUtf8(path);
  if (widePath.size() >= kPathCapacity) {
    Fail("path too long: '" + path + "'");
    return false;
  }
  SetFilePath(store, widePath);
  auto forward = store.shell.showMessage;
  store.shell.showMessage = [&](std::u16string_view text, std::u16string_view caption,
                                MessageIcon icon) {
    // A failed save is reported below as one line of our own.
    if (icon != MessageIcon::Warning && forward) forward(text, caption, icon);
  };
  const bool saved = WriteMolecule(store);
  store.shell.showMessage = forward;
  if (!saved) Fail("cannot write '" + path + "'");
  return saved;
}

}  // namespace tf::cli
