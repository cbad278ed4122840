#pragma once
// A desktop for the application tests: it logs effects as lines
// ("CheckToolButton 1021 off"), answers state queries from its fields and
// dialogs from queued answers (none left: cancel, Yes to questions, and
// Discard to the save question).

#include <atomic>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "app/Application.h"
#include "app/AtomInfoPanel.h"
#include "app/DesktopShell.h"
#include "base/FixedText.h"
#include "view/Frame.h"

namespace tf::test {

class FakeDesktop : public DesktopShell {
 public:
  bool CreateMainWindow() override { return Log("CreateMainWindow"), windowCreated; }
  void CreatePanels(const std::vector<std::u16string>& entries,
                    const ShapingChecks& checks) override {
    typeEntries = entries;
    std::string boxes;
    for (const bool checked : checks) boxes += checked ? '1' : '0';
    Log("CreatePanels " + boxes);
  }
  void ShowMainWindow() override { Log("ShowMainWindow"); }
  void DestroyMainWindow() override { Log("DestroyMainWindow"); }
  void SetWindowTitle(std::u16string_view text) override { title = text; }
  void DestroyPanel(Panel panel) override { Log("DestroyPanel " + Name(panel)); }
  void PostQuit(int code) override { Log("PostQuit " + std::to_string(code)); }
  ClientSize MainClientSize() override { return {700, 600}; }
  ScreenRect ClientRectOnScreen() override { return {100, 150, 800, 750}; }
  int32_t ToolbarHeight() override { return 24; }
  PanelSize OuterPanelSize(Panel panel) override {
    return panel == Panel::AtomInfo ? PanelSize{200, 300} : PanelSize{180, 150};
  }
  void MovePanel(Panel panel, int32_t left, int32_t top) override {
    Log("MovePanel " + Name(panel) + " " + std::to_string(left) + " " + std::to_string(top));
  }
  bool IsShiftDown() override { return shift; }
  uint32_t DigitKeysDown() override { return digits; }
  void CheckToolButton(int32_t command, bool on) override {
    Log("CheckToolButton " + std::to_string(command) + OnOff(on));
  }
  void CheckModelRadio(int32_t command) override {
    Log("CheckModelRadio " + std::to_string(command));
  }
  void CheckViewItem(int32_t command, bool on) override {
    Log("CheckViewItem " + std::to_string(command) + OnOff(on));
  }
  void EnableMenuItem(int32_t command, bool on) override { enabledItems[command] = on; }
  bool IsPanelVisible(Panel panel) override { return visible[panel]; }
  void ShowPanel(Panel panel, bool show) override {
    visible[panel] = show;
    Log("ShowPanel " + Name(panel) + OnOff(show));
  }
  void RefreshAtomInfoPanel() override {
    ++refreshes;
    if (atomInfoRecords != nullptr)
      atomInfo = RefreshAtomInfo(atomInfoRecords->document, atomInfoRecords->tables, typeEntries);
  }
  void PostRefreshPanels() override { ++postedRefreshes; }
  void SetBondButtonLabel(std::u16string_view label) override { bondLabel = label; }
  void FocusMainWindow() override { Log("FocusMainWindow"); }
  // Answers with the next path and the next filter (else the one shown first).
  std::optional<FileDialogChoice> RunFileDialog(const FileDialogRequest& request) override {
    dialogRequests.push_back(request);
    const std::optional<std::u16string> path = Next(dialogAnswers, std::optional<std::u16string>());
    const int32_t filter = Next(filterAnswers, request.selectedFilter);
    if (!path) return std::nullopt;
    return FileDialogChoice{*path, filter};
  }
  std::optional<std::u16string> AskSmiles() override {
    return Next(smilesAnswers, std::optional<std::u16string>());
  }
  bool AskYesNo(std::u16string_view, std::u16string_view text) override {
    questions.emplace_back(text);
    return Next(questionAnswers, true);
  }
  SaveChangesAnswer AskSaveChanges(std::u16string_view text) override {
    saveQuestions.emplace_back(text);
    return Next(saveAnswers, SaveChangesAnswer::Discard);
  }
  void ShowMessageBox(std::u16string_view text, std::u16string_view caption,
                      MessageIcon icon) override {
    Log("ShowMessageBox " + ToUtf8(text) + " | " + ToUtf8(caption) +
        (icon == MessageIcon::Warning ? " | warning" : " | information"));
  }
  std::optional<ImageExportChoice> RunExportImageDialog(
      const ImageExportRequest& request) override {
    exportRequests.push_back(request);
    return Next(exportAnswers, std::optional<ImageExportChoice>());
  }
  // Writes nothing; keeps the rectangle the frame presents.
  bool WriteFrameImage(const Frame& frame, std::u16string_view path, std::string* error) override {
    writtenPictures.emplace_back(path, frame.destRect.value_or(PixelRect{}));
    if (!pictureError.empty()) *error = pictureError;
    return pictureError.empty();
  }
  void ShowAboutBox(std::u16string_view manualPath) override {
    Log("ShowAboutBox " + ToUtf8(manualPath));
  }
  void SetWaitCursor(bool waiting) override {
    if (onWaitCursor) onWaitCursor();
    Log("SetWaitCursor" + OnOff(waiting));
  }
  // Waits for the work unless told to cancel it; keeps the names shown.
  bool WaitForLongCommand(std::u16string_view name, bool cancellable,
                          const std::function<bool()>& finished) override {
    longCommands.emplace_back(name);
    if (cancellable && cancelLongCommands) return false;
    while (!finished()) std::this_thread::yield();
    return true;
  }
  void OpenFile(std::u16string_view path) override { Log("OpenFile " + ToUtf8(path)); }

  // The lines logged since the last call.
  std::vector<std::string> TakeLog() { return std::exchange(log_, {}); }

  bool windowCreated = true;
  bool shift = false;
  uint32_t digits = 0;
  std::map<Panel, bool> visible;
  std::map<int32_t, bool> enabledItems;  // EnableMenuItem, by command
  int refreshes = 0;
  std::atomic<int> postedRefreshes{0};  // the shaping worker posts
  // When set, each refresh composes the panel's view from these records, as
  // the real panel does, and keeps it in atomInfo.
  ApplicationRecords* atomInfoRecords = nullptr;
  AtomInfoView atomInfo;
  std::u16string bondLabel;
  std::deque<std::optional<std::u16string>> dialogAnswers;
  std::deque<std::optional<std::u16string>> smilesAnswers;
  std::deque<int32_t> filterAnswers;
  std::deque<bool> questionAnswers;
  std::vector<FileDialogRequest> dialogRequests;
  std::deque<std::optional<ImageExportChoice>> exportAnswers;
  std::vector<ImageExportRequest> exportRequests;
  std::vector<std::pair<std::u16string, PixelRect>> writtenPictures;  // path, presented rectangle
  std::string pictureError;                  // WriteFrameImage fails with it when set
  std::vector<std::u16string> longCommands;  // the names WaitForLongCommand showed
  bool cancelLongCommands = false;           // Cancel every long command that offers it
  std::vector<std::u16string> questions;
  std::deque<SaveChangesAnswer> saveAnswers;  // none left: Discard
  std::vector<std::u16string> saveQuestions;
  std::u16string title = u"Tessaform";
  std::vector<std::u16string> typeEntries;
  std::function<void()> onWaitCursor;

 private:
  static std::string Name(Panel panel) { return panel == Panel::AtomInfo ? "AtomInfo" : "Shaping"; }
  static std::string OnOff(bool on) { return on ? " on" : " off"; }
  template <typename T>
  static T Next(std::deque<T>& answers, T otherwise) {
    if (answers.empty()) return otherwise;
    T answer = std::move(answers.front());
    answers.pop_front();
    return answer;
  }
  void Log(std::string line) { log_.push_back(std::move(line)); }
  std::vector<std::string> log_;
};

}  // namespace tf::test
