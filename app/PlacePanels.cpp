#include "app/PlacePanels.h"

#include "app/Saturate.h"

namespace tf {

void PlacePanels(Application& app) {
  if (!app.state.panelsAlive) return;
  constexpr int64_t kMargin = 10;
  constexpr int64_t kShapingBottomGap = 90;
  DesktopShell& desktop = app.desktop;
  const ScreenRect client = desktop.ClientRectOnScreen();
  const int64_t shapingHeight = desktop.OuterPanelSize(Panel::Shaping).height;
  desktop.MovePanel(Panel::AtomInfo,
                    SaturateToInt32(int64_t{client.right} - app.state.atomInfoPanelWidth - kMargin),
                    SaturateToInt32(int64_t{client.top} + desktop.ToolbarHeight() + kMargin));
  desktop.MovePanel(Panel::Shaping, SaturateToInt32(int64_t{client.left} + kMargin),
                    SaturateToInt32(client.bottom - shapingHeight - kShapingBottomGap));
}

}  // namespace tf
