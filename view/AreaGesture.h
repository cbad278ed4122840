#pragma once
// Rectangle and free-form selection gestures, recorded in client pixels in
// the view state and applied in the plane of the screen. The gesture is
// written under renderLock because frames draw it; applying also takes
// modelLock. Never call these while holding modelLock.

#include <cstdint>

namespace tf {

struct Document;
struct ViewResources;
struct ViewState;

// Rectangular tool: moves the rectangle's second corner to (px, py).
// Free-form tool: appends the point; when the outline already holds
// kMaxOutlinePoints, ends the gesture at once (areaSelecting = 0) and applies
// it without storing the point. Select tool: nothing.
void AddOutlinePoint(ViewState& view, ViewResources& resources, Document& document, int32_t px,
                     int32_t py);

// Selects the atoms inside the gesture, adding them to the selection.
// Rectangular: strictly inside the rectangle of rectStart and rectEnd, drawn
// in either direction. Free-form: inside the outline closed back to its first
// point by the even-odd rule; the outline is emptied afterwards.
void ApplyAreaSelection(ViewState& view, ViewResources& resources, Document& document);

}  // namespace tf
