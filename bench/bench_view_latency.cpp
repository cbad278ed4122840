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
#include "app/Startup.h"
#include "app/qt/MainWindow.h"
#include "app/qt/QtDesktop.h"
#include "app/qt/QtSetup.h"
#include "shaping/ShapingWorker.h"

namespace tf::bench {
namespace {

class RunningWindow {
 public:
  RunningWindow() {
    static const std::string config = std::string(TF_SOURCE_DIR) + "/share/config.ini";
    store_->configPath = config.c_str();
    app_ = std::make_unique<Application>(Application{*store_, desktop_, {}});
    desktop_.Attach(*app_);
    ok_ = StartApplication(*app_).exitCode == 0 &&
          QTest::qWaitForWindowExposed(desktop_.Window()) &&
          QTest::qWaitFor([this] { return View().FramesShown() > 0; }, 10000);
  }
  ~RunningWindow() {
    desktop_.DestroyMainWindow();
    ShutdownApplication(*app_);
    desktop_.ReleaseWindows();
  }
  bool Ok() const { return ok_; }
  MoleculeStore& Store() { return *store_; }
  ViewWidget& View() { return *desktop_.Window()->View(); }

  // Replaces the document with the synthetic molecule, drawn in `style`.
  void Load(uint32_t atoms, int32_t style) {
    const Scene scene = MakeBenchScene(atoms, style);
    {
      std::lock_guard render(store_->renderLock);
      std::lock_guard model(store_->modelLock);
      std::copy_n(scene->atoms, scene->atomCount, store_->atoms);
      std::copy_n(scene->bonds, scene->bondCount, store_->bonds);
      store_->atomCount = scene->atomCount;
      store_->bondCount = scene->bondCount;
      store_->selectedCount = static_cast<int32_t>((scene->atomCount + 9) / 10);
      store_->modelStyle = style;
    }
    CenterMolecule(*store_);
    FitZoom(*store_);
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
  std::unique_ptr<MoleculeStore> store_ = std::make_unique<MoleculeStore>();
  QtDesktop desktop_;
  std::unique_ptr<Application> app_;
  bool ok_ = false;
};

void DragRotate(benchmark::State& state, bool shaping) {
  RunningWindow window;
  if (!window.Ok()) return state.SkipWithError("the window did not start");
  window.Load(static_cast<uint32_t>(state.range(0)), kBallStick);
  if (shaping) StartShaping(window.Store());
  QPoint at(20, 300);  // empty space at the left: the drag rotates
  window.Mouse(QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, at);
  int step = 1;
  for (auto _ : state) {
    at.rx() += step;
    if (at.x() > 60 || at.x() < 20) step = -step;
    if (!window.MoveAndWait(at)) return state.SkipWithError("no frame reached the window");
  }
  window.Mouse(QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, at);
  StopShaping(window.Store());
}

void BM_DragRotateToFrameOnScreen(benchmark::State& state) { DragRotate(state, false); }
void BM_DragRotateWhileShaping(benchmark::State& state) { DragRotate(state, true); }

BENCHMARK(BM_DragRotateToFrameOnScreen)->Arg(2000)->Arg(7000)->Unit(benchmark::kMillisecond)->UseRealTime();
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
