#include "io/MoleculeFileCommands.h"

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

// Runs `body` with the shell's messages collected, then shows them. Only the
// window thread shows messages, so swapping the callback races with nothing.
template <typename Body>
void WithMessagesHeld(MoleculeStore& store, Body body) {
  std::vector<HeldMessage> held;
  const auto show = store.shell.showMessage;
  store.shell.showMessage = [&held](std::u16string_view text, std::u16string_view caption,
                                    MessageIcon icon) {
    held.push_back({std::u16string(text), std::u16string(caption), icon});
  };
  body();
  store.shell.showMessage = show;
  if (!show) return;
  for (const HeldMessage& message : held) show(message.text, message.caption, message.icon);
}

}  // namespace

void OpenMoleculeFile(MoleculeStore& store, std::u16string_view path) {
  WithMessagesHeld(store, [&] {
    std::lock_guard render(store.renderLock);
    std::lock_guard model(store.modelLock);
    NewMolecule(store);
    SetFilePath(store, path);
    ReadMolecule(store);
  });
}

bool SaveMoleculeFile(MoleculeStore& store, std::u16string_view path) {
  bool saved = false;
  WithMessagesHeld(store, [&] {
    std::lock_guard model(store.modelLock);
    SetFilePath(store, path);
    saved = WriteMolecule(store);
  });
  return saved;
}

}  // namespace tf
