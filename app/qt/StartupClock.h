#pragma once
// Measuring the start: with TESSAFORM_EXIT_AFTER_FIRST_FRAME set, the program
// prints how long after the process started the first frame reached the
// window, then closes as if the user had closed it.

namespace tf {

class QtDesktop;

void ReportFirstFrameIfAsked(QtDesktop& desktop);

// Milliseconds since this process started, from the kernel's start time.
double MillisecondsSinceProcessStart();

}  // namespace tf
