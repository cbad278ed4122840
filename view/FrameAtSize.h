#pragma once
// Frames for pictures of the view at a size other than the window's.

#include <cstdint>
#include <memory>

#include "view/Frame.h"
#include "view/SceneSnapshot.h"

namespace tf {

struct ViewResources;

inline constexpr int32_t kLargestPictureSide = 4096;

// Records the frame the view would show if its presented rectangle were
// width x height pixels (1 .. kLargestPictureSide each). The picture keeps the
// window's centre and grows its scale with the size (the smaller of the two
// ratios), so a larger picture shows the same view, grid included, in more
// detail; lines and texts keep their pixel sizes. At the window's own size it
// is simply the window's next frame. The picture is drawn through a camera of
// its own: the window's camera is never touched. The device's back buffer
// returns to the window's size and the window's frame is drawn again before
// this returns. Null when no frame can be drawn. Takes renderLock; never call
// it holding modelLock.
std::shared_ptr<const Frame> RecordFrameAtSize(ViewResources& resources,
                                               const SceneSources& sources, int32_t width,
                                               int32_t height);

}  // namespace tf
