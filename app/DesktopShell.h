#pragma once
// What the application needs from the desktop it runs on: windows, panels,
// the command surface's marks, dialogs and the input state a message does not
// carry. The Qt layer implements it; tests replace it with a fake. Every call
// comes from the window thread except PostRefreshPanels.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/ShapingPanel.h"

namespace tf {

struct Frame;

enum class MessageIcon { Warning, Information };

struct ClientSize {
  int32_t width = 0, height = 0;  // pixels, toolbar strip included
};

enum class Panel { AtomInfo, Shaping };

struct ScreenRect {
  int32_t left = 0, top = 0, right = 0, bottom = 0;  // screen pixels
};

struct PanelSize {
  int32_t width = 0, height = 0;  // outer size, frame included
};

// One run of the open or save dialog. The dialog only lets the user pick a
// name: it must not ask about missing or existing files itself (the
// application asks, see ChooseMoleculeFile). The open dialog accepts only
// files that exist; the save dialog also names that do not exist yet.
struct FileDialogRequest {
  bool open = true;                     // false: a save dialog
  std::u16string_view title;            // "Open File" or "Save File"
  std::vector<std::u16string> filters;  // "Protein Databank (*.pdb)", ...
  int32_t selectedFilter = 0;           // the filter shown first
  std::u16string proposedPath;          // the current file path; may be empty
};

// The name the user confirmed and the filter chosen with it.
struct FileDialogChoice {
  std::u16string path;
  int32_t filter = 0;
};

// One run of the Export Image dialog: a file name and the picture's size.
struct ImageExportRequest {
  std::u16string proposedPath;    // may be empty
  int32_t width = 0, height = 0;  // proposed: the view's size in the window
  int32_t windowWidth = 0, windowHeight = 0;
};

struct ImageExportChoice {
  std::u16string path;
  int32_t width = 0, height = 0;
};

// The answers to "Save changes to NAME?".
enum class SaveChangesAnswer { Save, Discard, Cancel };

class DesktopShell {
 public:
  virtual ~DesktopShell() = default;

  // Start-up and shutdown.
  // The main window ("Tessaform", 700 x 600 at 100, 100) with its menu and
  // toolbar, hidden. False when it cannot be made.
  virtual bool CreateMainWindow() = 0;
  // Both tool panels, hidden: the Atom Information panel with these type-list
  // entries ("*" selected), the Shaping panel with these boxes checked.
  virtual void CreatePanels(const std::vector<std::u16string>& typeEntries,
                            const ShapingChecks& shapingChecks) = 0;
  virtual void ShowMainWindow() = 0;
  // Closes the main window; the window then receives WM_DESTROY.
  virtual void DestroyMainWindow() = 0;
  virtual void SetWindowTitle(std::u16string_view title) = 0;
  virtual void DestroyPanel(Panel panel) = 0;
  // Ends the event loop once the current message is done.
  virtual void PostQuit(int exitCode) = 0;

  // Geometry.
  virtual ClientSize MainClientSize() = 0;      // the client area, toolbar strip included
  virtual ScreenRect ClientRectOnScreen() = 0;  // the same area in screen coordinates
  virtual int32_t ToolbarHeight() = 0;          // of the toolbar's window rectangle
  virtual PanelSize OuterPanelSize(Panel panel) = 0;
  virtual void MovePanel(Panel panel, int32_t left, int32_t top) = 0;  // screen pixels

  // Input state at the time of the current message.
  virtual bool IsShiftDown() = 0;
  // Bit d set while the main keyboard's digit key d is down (keypad digits do not count).
  virtual uint32_t DigitKeysDown() = 0;

  // Marks of the command surface.
  virtual void CheckToolButton(int32_t command, bool checked) = 0;
  // The Model menu's radio mark on `command`, off the other three styles.
  virtual void CheckModelRadio(int32_t command) = 0;
  virtual void CheckViewItem(int32_t command, bool checked) = 0;
  virtual void EnableMenuItem(int32_t command, bool enabled) = 0;

  // Panels and focus.
  virtual bool IsPanelVisible(Panel panel) = 0;
  virtual void ShowPanel(Panel panel, bool visible) = 0;
  // Re-reads the document into the Atom Information panel now (RefreshAtomInfo).
  virtual void RefreshAtomInfoPanel() = 0;
  // Queues that refresh for the window thread. Called by the shaping worker:
  // it must return at once, never wait for the window thread.
  virtual void PostRefreshPanels() = 0;
  virtual void SetBondButtonLabel(std::u16string_view label) = 0;
  virtual void FocusMainWindow() = 0;

  // Dialogs and the desktop.
  // The chosen path and filter, or nothing when the user cancelled.
  virtual std::optional<FileDialogChoice> RunFileDialog(const FileDialogRequest& request) = 0;
  // The one-line "New from SMILES" dialog: the string typed, or nothing when
  // the user cancelled.
  virtual std::optional<std::u16string> AskSmiles() = 0;
  // A question box with Yes and No; true for Yes.
  virtual bool AskYesNo(std::u16string_view caption, std::u16string_view text) = 0;
  // A question box (caption "Message", question icon) with Save, Discard and
  // Cancel; closing it answers Cancel.
  virtual SaveChangesAnswer AskSaveChanges(std::u16string_view text) = 0;
  virtual void ShowMessageBox(std::u16string_view text, std::u16string_view caption,
                              MessageIcon icon) = 0;
  // The name and size of a picture of the view ("Export Image"), sizes
  // 1 .. 4096; nothing when the user cancelled. Like the file dialog it asks
  // nothing itself.
  virtual std::optional<ImageExportChoice> RunExportImageDialog(
      const ImageExportRequest& request) = 0;
  // Draws `frame` with OpenGL, offscreen, and writes it as a PNG file at
  // `path`, all or nothing. False with the reason in `error` on failure.
  virtual bool WriteFrameImage(const Frame& frame, std::u16string_view path,
                               std::string* error) = 0;
  // Modal, owned by the main window; its link opens the manual at `manualPath`.
  virtual void ShowAboutBox(std::u16string_view manualPath) = 0;
  virtual void SetWaitCursor(bool waiting) = 0;
  // Waits, processing the window's events, until finished() (polled) is
  // true; then returns true. Input to the windows is held back; after 300
  // ms a modal progress dialog shows the command's name (and Cancel when
  // `cancellable`); cancelling returns false at once.
  virtual bool WaitForLongCommand(std::u16string_view name, bool cancellable,
                                  const std::function<bool()>& finished) = 0;
  // Opens a file with the desktop's default program; failures are ignored.
  virtual void OpenFile(std::u16string_view path) = 0;
};

}  // namespace tf
