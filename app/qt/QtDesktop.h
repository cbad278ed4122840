#pragma once
// The desktop effects of the application on Qt 6 Widgets: the main window,
// the two tool panels, dialogs, message boxes and the input state. Messages
// from the windows go to MainWindowProc once the main window is shown and
// stop when it is destroyed.

#include <QObject>
#include <memory>

#include "app/Application.h"
#include "app/DesktopShell.h"
#include "app/WindowMessages.h"

namespace tf {

class AtomInfoPanelWidget;
class MainWindow;
class ShapingPanelWidget;

class QtDesktop : public QObject, public DesktopShell {
  Q_OBJECT

 public:
  QtDesktop();
  ~QtDesktop() override;

  // The application this desktop talks to; set before StartApplication.
  void Attach(Application& app) { app_ = &app; }
  // After ShutdownApplication: the view's GL objects freed in its context,
  // then the windows deleted.
  void ReleaseWindows();

  MainWindow* Window() const { return window_.get(); }
  AtomInfoPanelWidget* AtomInfoPanel() const { return atomInfo_; }
  ShapingPanelWidget* ShapingPanel() const { return shaping_; }

  bool CreateMainWindow() override;
  void CreatePanels(const std::vector<std::u16string>& typeEntries,
                    const ShapingChecks& shapingChecks) override;
  void ShowMainWindow() override;
  void DestroyMainWindow() override;
  void SetWindowTitle(std::u16string_view title) override;
  void DestroyPanel(Panel panel) override;
  void PostQuit(int exitCode) override;
  ClientSize MainClientSize() override;
  ScreenRect ClientRectOnScreen() override;
  int32_t ToolbarHeight() override;
  PanelSize OuterPanelSize(Panel panel) override;
  void MovePanel(Panel panel, int32_t left, int32_t top) override;
  bool IsShiftDown() override;
  uint32_t DigitKeysDown() override;
  void CheckToolButton(int32_t command, bool checked) override;
  void CheckModelRadio(int32_t command) override;
  void CheckViewItem(int32_t command, bool checked) override;
  void EnableMenuItem(int32_t command, bool enabled) override;
  bool IsPanelVisible(Panel panel) override;
  void ShowPanel(Panel panel, bool visible) override;
  void RefreshAtomInfoPanel() override;
  void PostRefreshPanels() override;
  void SetBondButtonLabel(std::u16string_view label) override;
  void FocusMainWindow() override;
  std::optional<FileDialogChoice> RunFileDialog(const FileDialogRequest& request) override;
  std::optional<std::u16string> AskSmiles() override;
  bool AskYesNo(std::u16string_view caption, std::u16string_view text) override;
  SaveChangesAnswer AskSaveChanges(std::u16string_view text) override;
  void ShowMessageBox(std::u16string_view text, std::u16string_view caption,
                      MessageIcon icon) override;
  std::optional<ImageExportChoice> RunExportImageDialog(const ImageExportRequest& request) override;
  bool WriteFrameImage(const Frame& frame, std::u16string_view path, std::string* error) override;
  void ShowAboutBox(std::u16string_view manualPath) override;
  void SetWaitCursor(bool waiting) override;
  bool WaitForLongCommand(std::u16string_view name, bool cancellable,
                          const std::function<bool()>& finished) override;
  void OpenFile(std::u16string_view path) override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Dispatch(const WindowMessage& message, Qt::KeyboardModifiers modifiers);
  void SetMinimized(bool minimized);
  void OpenDroppedFile(const QString& path);
  void ReturnFocusFromDialog();
  QWidget* PanelWidget(Panel panel) const;

  Application* app_ = nullptr;
  std::unique_ptr<MainWindow> window_;
  AtomInfoPanelWidget* atomInfo_ = nullptr;  // owned by the main window
  ShapingPanelWidget* shaping_ = nullptr;
  std::vector<std::u16string> typeEntries_;
  bool receiving_ = false;  // from ShowMainWindow until the window is destroyed
  bool destroyed_ = false;
  Qt::KeyboardModifiers modifiers_;  // held at the time of the current message
  uint32_t digitsDown_ = 0;
  int waitCursors_ = 0;
  bool holdingInput_ = false;          // a long command runs: input is dropped
  QWidget* progressDialog_ = nullptr;  // its dialog, which still takes input
};

}  // namespace tf
