#include "model/ShellCallbacks.h"

namespace tf {

void ShowMessage(const ShellCallbacks& shell, std::u16string_view text, MessageIcon icon) {
  if (shell.showMessage) shell.showMessage(text, u"Message", icon);
}

void SetBondButtonLabel(const ShellCallbacks& shell, std::u16string_view label) {
  if (shell.setBondButtonLabel) shell.setBondButtonLabel(label);
}

ClientSize QueryClientSize(const ShellCallbacks& shell) {
  return shell.clientSize ? shell.clientSize() : ClientSize{};
}

void RequestPanelRefresh(const ShellCallbacks& shell) {
  if (shell.refreshPanels) shell.refreshPanels();
}

}  // namespace tf
