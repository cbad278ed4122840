#include "app/qt/StartupClock.h"

#include <unistd.h>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <sstream>
#include <string>

#include "app/qt/MainWindow.h"
#include "app/qt/QtDesktop.h"

namespace tf {

double MillisecondsSinceProcessStart() {
  // Field 22 of /proc/self/stat is the start time in clock ticks since boot.
  std::ifstream statFile("/proc/self/stat");
  std::string stat((std::istreambuf_iterator<char>(statFile)), std::istreambuf_iterator<char>());
  const std::size_t end = stat.rfind(')');
  if (end == std::string::npos) return -1;
  std::istringstream fields(stat.substr(end + 2));
  std::string field;
  for (int i = 3; i < 22 && fields >> field; ++i) {
  }
  unsigned long long startTicks = 0;
  if (!(fields >> startTicks)) return -1;
  timespec now{};
  clock_gettime(CLOCK_BOOTTIME, &now);
  const double ticksPerSecond = static_cast<double>(sysconf(_SC_CLK_TCK));
  return (static_cast<double>(now.tv_sec) + now.tv_nsec * 1e-9 - startTicks / ticksPerSecond) *
         1000.0;
}

void ReportFirstFrameIfAsked(QtDesktop& desktop) {
  const char* asked = std::getenv("TESSAFORM_EXIT_AFTER_FIRST_FRAME");
  if (asked == nullptr || *asked == '\0') return;
  ViewWidget* view = desktop.Window()->View();
  QObject::connect(view, &ViewWidget::frameShown, view, [&desktop] {
    static bool reported = false;
    if (reported) return;
    reported = true;
    std::fprintf(stderr, "tessaform: first frame on screen %.0f ms after the process started\n",
                 MillisecondsSinceProcessStart());
    QTimer::singleShot(0, &desktop, [&desktop] { desktop.DestroyMainWindow(); });
  });
}

}  // namespace tf
