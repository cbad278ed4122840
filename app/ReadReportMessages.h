#pragma once
// What the window tells the user about a file it read.

#include <string_view>

#include "app/DesktopShell.h"
#include "base/ReadReport.h"

namespace tf {

// "Bad file." (warning) when the file could not be read; "Reading stopped at
// line N of FILE: TEXT" (warning) when its records ended early; "Too many
// atoms. Only 7000 atoms have been loaded." (information) at the atom limit.
// For files of other formats, "NAME holds N molecules; the first was
// opened." and what did not fit the document (information). Skipped lines
// show nothing. All with the caption "Message"; `name` names the file.
void ShowReadReport(DesktopShell& desktop, const ReadReport& report, std::u16string_view name);

}  // namespace tf
