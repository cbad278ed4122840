#pragma once
// What the window tells the user about a file it read.

#include "app/DesktopShell.h"
#include "base/ReadReport.h"

namespace tf {

// "Bad file." (warning) when the file could not be read; "Reading stopped at
// line N of FILE: TEXT" (warning) when its records ended early; "Too many
// atoms. Only 7000 atoms have been loaded." (information) at the atom limit.
// Skipped lines show nothing. All with the caption "Message".
void ShowReadReport(DesktopShell& desktop, const ReadReport& report);

}  // namespace tf
