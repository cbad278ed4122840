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
};

// Sends a message through the store's shell, if one is attached.
void ShowMessage(const ShellCallbacks& shell, std::u16string_view text, MessageIcon icon);

}  // namespace tf
