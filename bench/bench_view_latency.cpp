// Time from a mouse move in the real window to the frame it causes being on
// screen: a left-button drag that rotates the model, as the view receives it,
// until the replayed frame has been swapped to the window. Needs a display
// (run under xvfb-run).

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <memory>

#include "BenchScene.h"
#include "app/Application.h"
#include "app/qt/MainWindow.h"
#include "app/qt/ProgramSession.h"
#include "app/qt/QtSetup.h"
#include "shaping/ShapingWorker.h"

namespace tf::bench {
namespace {

class RunningWindow {
 public:
  RunningWindow() : session_(Config()) {
    ok_ = session_.Start().exitCode == 0 && QTest::qWaitForWindowExposed(&session_.Window()) &&
          QTest::qWaitFor([this] { return View().FramesShown() > 0; }, 10000);
  }
  bool Ok() const { return ok_; }
  ApplicationRecords& Records() { return session_.Records(); }
  ViewWidget& View() { return *session_.Window().View(); }

  // Replaces the document with the synthetic molecule, drawn in `style`.
  void Load(uint32_t atoms, int32_t style) {
    const Scene scene = MakeBenchScene(atoms, style);
    {
      ApplicationRecords& records = Records();
      std::lock_guard render(records.resources.renderLock);
      std::lock_guard model(records.document.modelLock);
      Document& document = records.document;
      std::copy_n(scene->document.atoms, scene->document.atomCount, document.atoms);
      std::copy_n(scene->document.bonds, scene->document.bondCount, document.bonds);
      document.atomCount = scene->document.atomCount;
      document.bondCount = scene->document.bondCount;
      document.selectedCount = static_cast<int32_t>((scene->document.atomCount + 9) / 10);
      records.view.modelStyle = style;
    }
    ApplicationRecords& records = Records();
    CenterMolecule(records.document);
    FitZoom(records.view, records.resources, records.document, records.tables);
  }

  void Mouse(QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons buttons, QPoint at) {
    QMouseEvent event(type, QPointF(at), View().mapToGlobal(QPointF(at)), button, buttons,
                      Qt::NoModifier);
    QApplication::sendEvent(&View(), &event);
  }

  // One move of the drag, then events until its frame is on screen.
  bool MoveAndWait(QPoint at) {
    const uint64_t shown = View().FramesShown();
    Mouse(QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, at);
    return QTest::qWaitFor([&] { return View().FramesShown() > shown; }, 5000);
  }

 private:
  static const char* Config() {
    static const std::string config = std::string(TF_SOURCE_DIR) + "/share/config.ini";
    return config.c_str();
  }
  ProgramSession session_;
  bool ok_ = false;
};

void DragRotate(benchmark::State& state, bool shaping) {
  RunningWindow window;
  if (!window.Ok()) return state.SkipWithError("the window did not start");
  window.Load(static_cast<uint32_t>(state.range(0)), kBallStick);
  if (shaping)
    StartShaping(window.Records().shaping, window.Records().document, window.Records().tables);
  QPoint at(20, 300);  // empty space at the left: the drag rotates
  window.Mouse(QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, at);
  int step = 1;
  for (auto _ : state) {
    at.rx() += step;
    if (at.x() > 60 || at.x() < 20) step = -step;
    if (!window.MoveAndWait(at)) return state.SkipWithError("no frame reached the window");
  }
  window.Mouse(QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, at);
  StopShaping(window.Records().shaping);
}

void BM_DragRotateToFrameOnScreen(benchmark::State& state) {
  DragRotate(state, false);
}
void BM_DragRotateWhileShaping(benchmark::State& state) {
  DragRotate(state, true);
}

BENCHMARK(BM_DragRotateToFrameOnScreen)
    ->Arg(2000)
    ->Arg(7000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_DragRotateWhileShaping)->Arg(2000)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace tf::bench

int main(int argc, char** argv) {
  tf::PrepareQt();
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
