#pragma once
// Effects the core asks of whatever shell hosts it (the Qt window, the
// command-line tool, a test). The core shows nothing by itself.

#include <functional>
#include <string_view>

namespace tf {

enum class MessageIcon { Warning, Information };

struct ShellCallbacks {
  // A message box: text, caption and icon kind.
  std::function<void(std::u16string_view text, std::u16string_view caption, MessageIcon icon)>
      showMessage;
  // Relabels the Atom Information panel's bond button ("Add Bond" or "Delete Bond").
  std::function<void(std::u16string_view label)> setBondButtonLabel;
};

// Sends a message through the store's shell, if one is attached.
void ShowMessage(const ShellCallbacks& shell, std::u16string_view text, MessageIcon icon);

// Relabels the bond button through the store's shell, if one is attached.
void SetBondButtonLabel(const ShellCallbacks& shell, std::u16string_view label);

}  // namespace tf
