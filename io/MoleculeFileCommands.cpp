#include "io/MoleculeFileCommands.h"

#include <algorithm>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "io/MoleculeFiles.h"
#include "model/MoleculeStore.h"

namespace tf {
namespace {

struct HeldMessage {
  std::u16string text;
  std::u16string caption;
  MessageIcon icon;
};

// Runs `body` with the messages meant for `shell` collected, then shows them
// there. Only the window thread shows messages, so swapping the callback
// races with nothing.
template <typename Body>
void WithMessagesHeld(ShellCallbacks& shell, Body body) {
  std::vector<HeldMessage> held;
  const auto show = shell.showMessage;
  shell.showMessage = [&held](std::u16string_view text, std::u16string_view caption,
                              MessageIcon icon) {
    held.push_back({std::u16string(text), std::u16string(caption), icon});
  };
  body();
  shell.showMessage = show;
  if (!show) return;
  for (const HeldMessage& message : held) show(message.text, message.caption, message.icon);
}

// The molecule of `from` (atoms, bonds, path) replaces that of `to`, whose
// emptied document keeps its view, tables and display choices.
void TakeMolecule(MoleculeStore& to, const MoleculeStore& from) {
  NewMolecule(to);
  std::copy_n(from.atoms, from.atomCount, to.atoms);
  std::copy_n(from.bonds, from.bondCount, to.bonds);
  to.atomCount = from.atomCount;
  to.bondCount = from.bondCount;
  to.selectedCount = 0;
  std::copy_n(from.filePath, kPathCapacity, to.filePath);
}

}  // namespace

bool OpenMoleculeFile(MoleculeStore& store, std::u16string_view path) {
  // Read beside the document, so a file that cannot be read costs nothing.
  const auto fresh = std::make_unique<MoleculeStore>();
  fresh->tables = store.tables;
  fresh->shell.showMessage = store.shell.showMessage;
  SetFilePath(*fresh, path);
  bool read = false;
  WithMessagesHeld(fresh->shell, [&] {
    read = ReadMolecule(*fresh);
    if (!read) return;
    std::lock_guard render(store.renderLock);
    std::lock_guard model(store.modelLock);
    TakeMolecule(store, *fresh);
  });
  return read;
}

bool SaveMoleculeFile(MoleculeStore& store, std::u16string_view path) {
  bool saved = false;
  WithMessagesHeld(store.shell, [&] {
    std::lock_guard model(store.modelLock);
    char16_t previous[kPathCapacity];
    std::copy_n(store.filePath, kPathCapacity, previous);
    SetFilePath(store, path);
    saved = WriteMolecule(store);
    if (!saved) std::copy_n(previous, kPathCapacity, store.filePath);
  });
  return saved;
}

}  // namespace tf
