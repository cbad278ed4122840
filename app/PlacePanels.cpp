#include "app/PlacePanels.h"

#include <algorithm>
#include <limits>

namespace tf {
namespace {

// Sums of screen coordinates stay in range whatever sizes the shell reports.
int32_t Clamped(int64_t value) {
  return static_cast<int32_t>(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                                  std::numeric_limits<int32_t>::max()));
}

}  // namespace

PanelPlacement ComputePanelPlacement(const ScreenRect& client, int32_t toolbarHeight,
                                     int32_t atomInfoWidth, int32_t shapingHeight) {
  constexpr int64_t kMargin = 10;
  constexpr int64_t kShapingBottomGap = 90;
  return {Clamped(int64_t{client.right} - atomInfoWidth - kMargin),
          Clamped(int64_t{client.top} + toolbarHeight + kMargin),
          Clamped(int64_t{client.left} + kMargin),
          Clamped(int64_t{client.bottom} - shapingHeight - kShapingBottomGap)};
}

void PlacePanels(Application& app) {
  if (!app.state.panelsAlive) return;
  DesktopShell& desktop = app.desktop;
  const PanelPlacement place = ComputePanelPlacement(
      desktop.ClientRectOnScreen(), desktop.ToolbarHeight(), app.state.atomInfoPanelWidth,
      desktop.OuterPanelSize(Panel::Shaping).height);
  desktop.MovePanel(Panel::AtomInfo, place.atomInfoLeft, place.atomInfoTop);
  desktop.MovePanel(Panel::Shaping, place.shapingLeft, place.shapingTop);
}

}  // namespace tf
