#pragma once
// The program's objects from start-up to shutdown: the application's
// records, the Qt desktop and the application joining them. The program, its tests and its
// tools all start and end it the same way.

#include <QStringList>
#include <memory>

#include "app/Application.h"
#include "app/Startup.h"
#include "app/qt/QtDesktop.h"

namespace tf {

class MainWindow;

class ProgramSession {
 public:
  // `configPath` replaces ./config.ini when given. The first form keeps its
  // records on the heap (tests, tools); the program passes its static ones.
  explicit ProgramSession(const char* configPath = nullptr);
  ProgramSession(ApplicationRecords& records, const char* configPath);
  ~ProgramSession();  // Shutdown, if not done yet
  ProgramSession(const ProgramSession&) = delete;
  ProgramSession& operator=(const ProgramSession&) = delete;

  // StartApplication with numbers in the C locale; needs a QApplication.
  StartupOutcome Start();
  // Once the event loop runs, opens the first of `arguments` (the program's,
  // without its name) that is not an option, as File > Open would.
  void OpenFileArgument(const QStringList& arguments);
  // Closes the window if it is still open, ShutdownApplication, then the
  // windows go (the view's GL objects first). Returns the exit code.
  int Shutdown();

  ApplicationRecords& Records() { return records_; }
  QtDesktop& Desktop() { return desktop_; }
  Application& App() { return app_; }
  MainWindow& Window() { return *desktop_.Window(); }

 private:
  std::unique_ptr<ApplicationRecords> ownRecords_;
  ApplicationRecords& records_;
  QtDesktop desktop_;
  Application app_;
  bool shutDown_ = false;
};

}  // namespace tf
