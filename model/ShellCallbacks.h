#pragma once
// Effects the core asks of whatever shell hosts it (the Qt window, the
// command-line tool, a test). The core shows nothing by itself.

#include <cstdint>
#include <functional>
#include <string_view>

namespace tf {

enum class MessageIcon { Warning, Information };

struct ClientSize {
  int32_t width = 0, height = 0;  // pixels, toolbar strip included
};

struct ShellCallbacks {
  // A message box: text, caption and icon kind.
  std::function<void(std::u16string_view text, std::u16string_view caption, MessageIcon icon)>
      showMessage;
  // Relabels the Atom Information panel's bond button ("Add Bond" or "Delete Bond").
  std::function<void(std::u16string_view label)> setBondButtonLabel;
  // Size of the main window's client area, read when the graphics start.
  std::function<ClientSize()> clientSize;
  // Asks the window thread to refresh the Atom Information panel. Called by
  // the shaping worker when it ends: it must post, never wait for the window
  // thread, which may itself be waiting for the worker.
  std::function<void()> refreshPanels;
};

// Sends a message through the store's shell, if one is attached.
void ShowMessage(const ShellCallbacks& shell, std::u16string_view text, MessageIcon icon);

// Relabels the bond button through the store's shell, if one is attached.
void SetBondButtonLabel(const ShellCallbacks& shell, std::u16string_view label);

// The client size through the store's shell; 0 x 0 when none is attached.
ClientSize QueryClientSize(const ShellCallbacks& shell);

// Posts a panel refresh through the store's shell, if one is attached.
void RequestPanelRefresh(const ShellCallbacks& shell);

}  // namespace tf
