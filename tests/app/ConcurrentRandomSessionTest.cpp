// A long random session at the main window through the fake desktop: clicks
// and drags of both buttons (on atoms half the time, with Ctrl, Shift and
// digit keys), the wheel, the key table, every command and the application
// messages, while the real shaping worker starts and stops among them. After
// every message the document must be whole and the Atom Information panel
// must show the selection. The random draws depend only on the seed
// (default below, TF_RANDOM_SESSION_SEED to replay one); where the worker has
// moved the atoms a click aims at is the only thing a replay cannot repeat.
// Run under ThreadSanitizer as well.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <limits>
#include <mutex>
#include <optional>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "app/AppFixture.h"
#include "app/AtomInfoPanel.h"
#include "app/DocumentFiles.h"
#include "base/FixedText.h"
#include "support/ShippedConfig.h"
#include "support/TempDir.h"

namespace tf::test {
namespace {

constexpr uint32_t kDefaultSeed = 20240611;
constexpr int kMessages = 10000;
// Under the sanitizers a shaping step of the protein (3730 atoms) takes
// seconds, and every message waits for the step under way; their memory and
// race checks need no protein, and the normal build fills the bond list with it.
#if defined(__SANITIZE_THREAD__) || defined(__SANITIZE_ADDRESS__)
constexpr bool kOpensProtein = false;
#else
constexpr bool kOpensProtein = true;
#endif

uint32_t SessionSeed() {
  const char* text = std::getenv("TF_RANDOM_SESSION_SEED");
  return text != nullptr && *text != '\0' ? static_cast<uint32_t>(std::strtoul(text, nullptr, 0))
                                          : kDefaultSeed;
}

// The draws of one message: always the same number, so whatever the document
// looks like (the worker moves atoms at its own pace), message k uses the
// same numbers in every run of a seed.
class Draws {
 public:
  explicit Draws(std::mt19937& random) {
    for (uint32_t& word : words_) word = static_cast<uint32_t>(random());
  }
  uint32_t Below(uint32_t n) { return words_.at(next_++) % n; }
  bool Percent(uint32_t p) { return Below(100) < p; }
  int32_t Between(int32_t low, int32_t high) {  // both included
    return low + static_cast<int32_t>(Below(static_cast<uint32_t>(high - low + 1)));
  }
  template <typename T, std::size_t N>
  T Of(const T (&items)[N]) {
    return items[Below(N)];
  }

 private:
  std::array<uint32_t, 32> words_;
  std::size_t next_ = 0;
};

// clang-format off
// The key table's keys, keys it does not hold (Q, keypad plus and minus),
// Esc, and F1, F5 and F6, which the desktop turns into commands.
constexpr uint32_t kKeys[] = {
    VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN, VK_DELETE, VK_SPACE, 'B', 'B', 'C', 'P', VK_OEM_PLUS,
    VK_OEM_MINUS, 'Q', VK_ADD, VK_SUBTRACT, VK_ESCAPE, VK_F1, VK_F5, VK_F6};
// Every command id, and 0 and 40021, which no command has.
constexpr int32_t kCommands[] = {
    kCmdStartShaping, kCmdStopShaping, kCmdCharges, kCmdSelectTool, kCmdRectangularTool,
    kCmdFreeformTool, kCmdNew, kCmdOpen, kCmdSave, kCmdExit, kCmdViewAtomInfo, kCmdViewShaping,
    kCmdWireframe, kCmdSpacefill, kCmdSticks, kCmdBallStick, kCmdViewHelp, kCmdAbout, kCmdUndo,
    kCmdRedo, kCmdExportImage, kCmdPerceiveBonds, 0, 40021};
// Half the commands come from these: Start and Stop Shaping, so runs start
// and end among everything else; the Select tool, so that clicks mostly pick
// and add atoms; and the commands that bring atoms and bonds back.
constexpr int32_t kFrequentCommands[] = {
    kCmdStartShaping, kCmdStartShaping, kCmdStopShaping, kCmdSelectTool, kCmdOpen,
    kCmdPerceiveBonds, kCmdUndo};
constexpr int32_t kWheelDeltas[] = {120, -120, 240, -360, 30, -30, 1,
                                    std::numeric_limits<int32_t>::max(),
                                    std::numeric_limits<int32_t>::min()};
constexpr int32_t kFarCoordinates[] = {std::numeric_limits<int32_t>::min(),
                                       std::numeric_limits<int32_t>::max(), -100000, 100000};
// clang-format on

// A pointer coordinate moved by delta, staying within int32_t.
int32_t Nudge(int32_t coordinate, int32_t delta) {
  const int64_t moved = int64_t{coordinate} + delta;
  return static_cast<int32_t>(std::clamp<int64_t>(moved, std::numeric_limits<int32_t>::min(),
                                                  std::numeric_limits<int32_t>::max()));
}

bool Finite(float value) {
  return std::isfinite(value);
}

// A number the panel shows, or NaN when the text holds none.
double ShownNumber(std::u16string_view text) {
  const std::string utf8 = ToUtf8(text);
  char* end = nullptr;
  const double value = std::strtod(utf8.c_str(), &end);
  return end != utf8.c_str() && *end == '\0' ? value : std::nan("");
}

// A "%.N f" text within rounding of the value it shows.
bool ShowsNumber(std::u16string_view text, double value, int decimals) {
  const double tolerance = 0.5001 * std::pow(10.0, -decimals) + 1e-9 * std::abs(value);
  return std::abs(ShownNumber(text) - value) <= tolerance;
}

// The first broken rule of the molecule, or "". The caller holds modelLock.
std::string BrokenDocumentRule(const Document& document) {
  if (document.atomCount > kMaxAtoms) return "atomCount " + std::to_string(document.atomCount);
  if (document.bondCount > kMaxBonds) return "bondCount " + std::to_string(document.bondCount);
  std::set<std::pair<int32_t, int32_t>> pairs;
  for (uint32_t b = 0; b < document.bondCount; ++b) {
    const Bond& bond = document.bonds[b];
    const std::string name = "bond " + std::to_string(b) + " (" + std::to_string(bond.atom1) +
                             ", " + std::to_string(bond.atom2) + ")";
    const auto inUse = [&document](int32_t atom) {
      return atom >= 0 && static_cast<uint32_t>(atom) < document.atomCount;
    };
    if (!inUse(bond.atom1) || !inUse(bond.atom2)) return name + " names an atom not in use";
    if (bond.atom1 == bond.atom2) return name + " joins an atom to itself";
    if (!pairs.insert(std::minmax(bond.atom1, bond.atom2)).second) return name + " is listed twice";
  }
  int32_t selected = 0;
  for (uint32_t i = 0; i < document.atomCount; ++i) {
    const Atom& atom = document.atoms[i];
    selected += atom.selected == 1;
    if (!Finite(atom.x) || !Finite(atom.y) || !Finite(atom.z) || !Finite(atom.charge))
      return "atom " + std::to_string(i) + " has a number that is not finite";
  }
  if (selected != document.selectedCount)
    return "selectedCount " + std::to_string(document.selectedCount) + " but " +
           std::to_string(selected) + " atoms are selected";
  return "";
}

// The first way the panel's last view disagrees with the selection, or "".
// Coordinates are compared only when no worker can have moved the atoms
// since the panel's last refresh. The caller holds modelLock.
std::string BrokenPanelRule(const Document& document, const AtomInfoView& panel,
                            bool coordinatesSettled) {
  std::vector<uint32_t> selected;
  for (uint32_t i = 0; i < document.atomCount; ++i)
    if (document.atoms[i].selected == 1) selected.push_back(i);
  const int32_t n = static_cast<int32_t>(selected.size());
  const AtomInfoTexts& texts = panel.texts;
  if (panel.selectedCount != n)
    return "the panel counts " + std::to_string(panel.selectedCount) + " selected atoms, not " +
           std::to_string(n);
  if (panel.bondButtonEnabled != (n == 2)) return "the bond button's state";
  if (panel.idAndCoordinatesEnabled != (n <= 1)) return "the ID and coordinate fields' state";
  const bool idAndCoordinatesEmpty =
      texts.id.empty() && texts.x.empty() && texts.y.empty() && texts.z.empty();
  if (n == 0) {
    const bool empty = idAndCoordinatesEmpty && texts.name.empty() && texts.charge.empty() &&
                       texts.fragmentName.empty() && texts.fragmentNumber.empty();
    return empty ? "" : "the panel shows an atom while none is selected";
  }
  const Atom& first = document.atoms[selected.front()];
  if (n == 1) {
    if (texts.name != TextView(first.name)) return "the panel shows another atom's name";
    if (texts.id != FromUtf8(std::to_string(first.serial))) return "the panel's ID";
    if (!ShowsNumber(texts.charge, first.charge, 4)) return "the panel's charge";
    const Vector3 origin = document.fileOrigin;
    if (coordinatesSettled && !(ShowsNumber(texts.x, double{first.x} + origin.x, 3) &&
                                ShowsNumber(texts.y, double{first.y} + origin.y, 3) &&
                                ShowsNumber(texts.z, double{first.z} + origin.z, 3)))
      return "the panel's coordinates";
    return "";
  }
  if (!idAndCoordinatesEmpty) return "the panel shows an ID or coordinates for several atoms";
  const bool sameName = std::all_of(selected.begin(), selected.end(), [&](uint32_t i) {
    return TextView(document.atoms[i].name) == TextView(first.name);
  });
  if (texts.name != (sameName ? TextView(first.name) : std::u16string_view(kMixedEntry)))
    return "the panel's name for several atoms";
  return "";
}

class ConcurrentRandomSession : public AppTest {
 protected:
  ConcurrentRandomSession() : seed_(SessionSeed()), random_(seed_) {
    sessionPath_ = (dir_ / "session.pdb").u16string();
    std::filesystem::copy_file(TestData("pdb/estradiol.pdb"), dir_ / "session.pdb");
    desktop_.typeEntries = AtomTypeListEntries(records_->tables);
    desktop_.atomInfoRecords = records_.get();
    records_->shaping.shapingSeed = seed_;
    lastShapingSeed_ = seed_;
    OpenDocumentFile(app_, sessionPath_);
  }

  // One message, as the present state of the buttons allows.
  WindowMessage NextMessage(Draws& draw) {
    QueueDialogAnswers(draw);
    const uint32_t k = draw.Below(100);
    if (held_ != 0) {
      const uint32_t button = held_ == WM_LBUTTONDOWN ? MK_LBUTTON : MK_RBUTTON;
      const uint32_t modifiers = Modifiers(draw);
      if (k < 55) {  // drags mostly stay near; some jump
        pointer_ = draw.Percent(10) ? Aim(draw)
                                    : Pixel{Nudge(pointer_.x, draw.Between(-40, 40)),
                                            Nudge(pointer_.y, draw.Between(-40, 40))};
        return MouseMessage(WM_MOUSEMOVE, pointer_.x, pointer_.y, button | modifiers);
      }
      if (k < 85) {
        const uint32_t up = held_ == WM_LBUTTONDOWN ? WM_LBUTTONUP : WM_RBUTTONUP;
        held_ = 0;
        desktop_.digits = 0;
        return MouseMessage(up, pointer_.x, pointer_.y, modifiers);
      }
      return OtherMessage(draw);  // a key or command in the middle of a drag
    }
    if (k < 38) {
      held_ = k < 30 ? WM_LBUTTONDOWN : WM_RBUTTONDOWN;
      pointer_ = Aim(draw);
      uint32_t modifiers = Modifiers(draw);
      if (held_ == WM_LBUTTONDOWN && draw.Percent(35)) modifiers |= MK_CONTROL;
      if (held_ == WM_LBUTTONDOWN && draw.Percent(30)) {
        desktop_.digits = 1u << draw.Below(10);
        if (draw.Percent(20)) desktop_.digits |= 1u << draw.Below(12);  // bits past 9 are no digits
      }
      if (held_ == WM_RBUTTONDOWN && draw.Percent(25)) modifiers |= MK_CONTROL;
      return MouseMessage(held_, pointer_.x, pointer_.y,
                          (held_ == WM_LBUTTONDOWN ? MK_LBUTTON : MK_RBUTTON) | modifiers);
    }
    if (k < 97) return OtherMessage(draw);
    // A stray release or move, as when a press happened outside the window.
    pointer_ = Aim(draw);
    const uint32_t stray[] = {WM_LBUTTONUP, WM_RBUTTONUP, WM_MOUSEMOVE};
    const uint32_t message = draw.Of(stray);
    return MouseMessage(message, pointer_.x, pointer_.y, draw.Percent(50) ? MK_LBUTTON : 0);
  }

  WindowMessage OtherMessage(Draws& draw) {
    const uint32_t k = draw.Below(100);
    if (k < 10) return WheelMessage(draw.Of(kWheelDeltas));
    if (k < 45) {
      desktop_.shift = draw.Percent(30);
      const uint32_t key = draw.Of(kKeys);
      // The accelerators: the window receives their commands.
      if (key == VK_F1) return CommandMessage(kCmdSelectTool);
      if (key == VK_F5) return CommandMessage(kCmdStartShaping);
      if (key == VK_F6) return CommandMessage(kCmdStopShaping);
      return KeyDownMessage(key);
    }
    if (k < 85) {
      const bool frequent = draw.Percent(50);
      const int32_t command = frequent ? draw.Of(kFrequentCommands) : draw.Of(kCommands);
      if (command == kCmdOpen) AnswerOpenDialog(draw);
      return CommandMessage(command);
    }
    if (k < 92) return {.message = draw.Percent(70) ? ComputeCharges : RefreshPanels};
    const uint32_t window[] = {WM_PAINT, WM_ACTIVATE, WM_MOVE, WM_SIZE, WM_SIZE};
    const uint32_t message = draw.Of(window);
    if (message != WM_SIZE) return {.message = message};
    // Mostly back to the usual size; sometimes minimized or another size.
    if (draw.Percent(60)) return SizeMessage(700, 600);
    if (draw.Percent(30)) return SizeMessage(0, 0);
    const int32_t width = draw.Between(1, 1200);
    return SizeMessage(width, draw.Between(1, 1000));
  }

  uint32_t Modifiers(Draws& draw) {
    const uint32_t shift = draw.Percent(20) ? MK_SHIFT : 0;
    return shift | (draw.Percent(15) ? MK_CONTROL : 0);
  }

  // Half the time the pixel of an atom (or near it), otherwise anywhere, far
  // outside the window now and then.
  Pixel Aim(Draws& draw) {
    const uint32_t atomDraw = draw.Below(kMaxAtoms);
    const int32_t jitter = draw.Between(-3, 3);
    if (draw.Percent(50)) {
      std::lock_guard model(records_->document.modelLock);
      if (records_->document.atomCount > 0) {
        const Atom& atom = records_->document.atoms[atomDraw % records_->document.atomCount];
        const Vector2 p = WorldToScreen(records_->view.camera, atom.x, atom.y);
        const auto round = [](float v) {
          return std::isfinite(v) ? static_cast<int32_t>(std::lround(std::clamp(v, -1e6f, 1e6f)))
                                  : 0;
        };
        return {round(p.x) + jitter, round(p.y) - jitter};
      }
    }
    if (draw.Percent(3)) return {draw.Of(kFarCoordinates), draw.Of(kFarCoordinates)};
    return {draw.Between(-20, 720), draw.Between(-20, 620)};
  }

  // Whatever dialog or question the message may bring up gets an answer;
  // every file named lies in the scratch folder.
  void QueueDialogAnswers(Draws& draw) {
    desktop_.dialogRequests.clear();
    desktop_.exportRequests.clear();
    desktop_.writtenPictures.clear();
    desktop_.questions.clear();
    desktop_.saveQuestions.clear();
    desktop_.dialogAnswers.assign({draw.Percent(50) ? std::optional(sessionPath_) : std::nullopt});
    desktop_.questionAnswers.assign({draw.Percent(70), draw.Percent(70)});
    const SaveChangesAnswer answers[] = {SaveChangesAnswer::Discard, SaveChangesAnswer::Discard,
                                         SaveChangesAnswer::Save, SaveChangesAnswer::Cancel};
    desktop_.saveAnswers.assign({draw.Of(answers)});
    desktop_.exportAnswers.clear();
    if (draw.Percent(50))
      desktop_.exportAnswers.push_back(ImageExportChoice{(dir_ / "picture.png").u16string(),
                                                         draw.Between(1, 64), draw.Between(1, 64)});
  }

  // The open dialog answers the molecule as saved in the session, a sample
  // afresh (whose companions may be left from a save under its name; now and
  // then a protein that fills the bond list), or cancel.
  void AnswerOpenDialog(Draws& draw) {
    const uint32_t answer = draw.Below(16);
    const char* sample = answer == 0 && kOpensProtein ? "1avg.pdb" : "estradiol.pdb";
    if (answer >= 8) {
      desktop_.dialogAnswers.assign({answer < 12 ? std::optional(sessionPath_) : std::nullopt});
      return;
    }
    const std::filesystem::path copy = dir_ / sample;
    std::filesystem::copy_file(TestData(std::string("pdb/") + sample), copy,
                               std::filesystem::copy_options::overwrite_existing);
    desktop_.dialogAnswers.assign({copy.u16string()});
  }

  // Messages come far faster than the worker's 50 ms pause; now and then one
  // waits for the running worker's next step, so atoms move between messages.
  void WaitForShapingStep() {
    const auto mark = [this] {
      std::lock_guard model(records_->document.modelLock);
      return records_->shaping.shapingIterations;  // never the same from one step to the next
    };
    const int32_t before = mark();
    while (records_->shaping.shapingActive.load() != 0 && mark() == before)
      std::this_thread::yield();
  }

  // What the desktop's event loop does between messages: the refreshes the
  // worker posted reach the panel.
  void DeliverPostedRefreshes() {
    while (delivered_ < desktop_.postedRefreshes.load()) {
      ++delivered_;
      SendRefreshPanels(app_);
    }
  }

  // No worker runs, and the refresh of the last one's end was delivered.
  bool CoordinatesSettled() {
    if (records_->shaping.shapingSeed != lastShapingSeed_) {  // a run started
      lastShapingSeed_ = records_->shaping.shapingSeed;
      ++runsStarted_;
    }
    return records_->shaping.shapingActive.load() == 0 && delivered_ == runsStarted_;
  }

  std::string Check() {
    const bool settled = CoordinatesSettled();
    std::lock_guard model(records_->document.modelLock);
    const std::string broken = BrokenDocumentRule(records_->document);
    return broken.empty() ? BrokenPanelRule(records_->document, desktop_.atomInfo, settled)
                          : broken;
  }

  static std::string Describe(const WindowMessage& m, uint32_t digits, bool shift) {
    std::ostringstream text;
    text << "message 0x" << std::hex << m.message << std::dec << " key 0x" << std::hex << m.key
         << std::dec << " command " << m.command << " keyState " << m.keyState << " wheel "
         << m.wheelDelta << " at " << m.x << ", " << m.y << " digits 0x" << std::hex << digits
         << std::dec << (shift ? " shift" : "");
    return text.str();
  }

  TempDir dir_;
  std::u16string sessionPath_;
  uint32_t seed_;
  std::mt19937 random_;
  uint32_t held_ = 0;  // the button-down message of the button held, or 0
  Pixel pointer_{350, 300};
  int delivered_ = 0, runsStarted_ = 0;
  uint32_t lastShapingSeed_ = 0;
};

TEST_F(ConcurrentRandomSession, EveryMessageLeavesTheDocumentWholeAndThePanelTrue) {
  std::printf("random session seed %u (TF_RANDOM_SESSION_SEED replays it)\n", seed_);
  ASSERT_EQ(records_->document.atomCount, 20u) << "the session starts from the sample molecule";
  ASSERT_EQ(Check(), "");
  std::deque<std::string> recent;
  for (int index = 0; index < kMessages; ++index) {
    Draws draw(random_);
    const bool letWorkerStep = draw.Percent(2);
    const WindowMessage message = NextMessage(draw);
    recent.push_back(std::to_string(index) + ": " +
                     Describe(message, desktop_.digits, desktop_.shift));
    if (recent.size() > 30) recent.pop_front();
    MainWindowProc(app_, message);
    if (letWorkerStep) WaitForShapingStep();
    DeliverPostedRefreshes();
    desktop_.TakeLog();
    const std::string broken = Check();
    if (!broken.empty()) {
      std::string trail;
      for (const std::string& line : recent) trail += "\n  " + line;
      FAIL() << "seed " << seed_ << ", message " << index << ": " << broken
             << "\nthe last messages:" << trail;
    }
  }
}

}  // namespace
}  // namespace tf::test
