#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "GraphicsTestSupport.h"
#include "view/GraphicsDevice.h"
#include "view/Line.h"

namespace tf {
namespace {

// A display thread reads the latest frame while another thread draws and
// presents, as the replay does while the shaping worker draws.
TEST(ConcurrentFramePublishing, TheLatestFrameIsAlwaysWhole) {
  GraphicsDevice device;
  Line* raw = nullptr;
  ASSERT_EQ(CreateLine(&device, &raw), kOk);
  test::Ref<Line> line(raw);
  int callbacks = 0;
  device.SetPresentCallback([&] { ++callbacks; });

  constexpr int kFrames = 200;
  std::atomic<bool> done{false};
  std::thread reader([&] {
    uint64_t last = 0;
    while (!done) {
      const auto frame = device.LatestFrame();
      if (!frame) continue;
      // Frame n holds n lines; a frame must never be seen half-built.
      EXPECT_EQ(frame->items.size(), frame->number);
      EXPECT_GE(frame->number, last);
      last = frame->number;
    }
  });
  const Vector2 points[] = {{0, 0}, {1, 1}};
  for (int n = 1; n <= kFrames; ++n) {
    device.BeginScene();
    for (int i = 0; i < n; ++i) line->Draw(points, 2, 0xFFFFFFFF);
    device.EndScene();
    device.Present(nullptr, nullptr, nullptr, nullptr);
  }
  done = true;
  reader.join();
  EXPECT_EQ(device.LatestFrame()->number, static_cast<uint64_t>(kFrames));
  EXPECT_EQ(callbacks, kFrames);
}

}  // namespace
}  // namespace tf
